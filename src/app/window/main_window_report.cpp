// The state report commands and the About box of the main window.
#include <windows.h>

#include "app/dialogs/about_form.h"
#include "app/window/clipboard_text.h"
#include "app/shell/file_info.h"
#include "app/window/main_window.h"
#include "app/model/about_texts.h"
#include "archive/builtin_archive.h"
#include "image/decoders/avif_decoder.h"
#include "image/decoders/webp_decoder.h"
#include "app/model/state_report.h"
#include "archive/member_size.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr wchar_t kCopyReportQuestion[] = L"現在の設定状況をクリップボードにコピーします";
constexpr wchar_t kClipboardFailed[] = L"クリップボードにコピーできませんでした";

// Position and size inside the parent window.
ReportBounds BoundsInParent(HWND control) {
  RECT r{};
  if (!control || !GetWindowRect(control, &r)) return {};
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return {r.top, r.left, r.right - r.left, r.bottom - r.top};
}

// The control's own visible flag, whether or not its page is on view.
bool OwnVisible(HWND control) { return control && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE); }

}  // namespace

void TZKMainForm::FileInfoDeleter::operator()(TFileInfo* info) const { delete info; }

void TZKMainForm::CreateReportActions() {
  // One handler for both; the command that ran tells them apart.
  for (CommandId id : {CommandId::TestAction, CommandId::CopyTestAction})
    actions[id].on_execute = [this](Action& sender) { TestActionExecute(sender); };
}

void TZKMainForm::TestActionExecute(Action& sender) {
  if (&sender == &actions[CommandId::CopyTestAction]) {
    if (ShowMessageBox(kCopyReportQuestion, kApplicationTitle, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    if (!SetClipboardText(wnd_, StateReport())) ShowWarning(kClipboardFailed);
    return;
  }
  ShowMessageBox(ToWide(StateReport()), kApplicationTitle, MB_OK);
}

std::u16string TZKMainForm::StateReport() {
  if (!SysInfo) SysInfo.reset(new TFileInfo);
  SysInfo->SetFileName(options_.program_path.empty() ? ProgramPath() : options_.program_path);

  StateReportValues v;
  v.program = SysInfo->Version();
  v.WorkFolder = archive_page_.browser().work_folder();
  v.LastReadTime = LastReadTime;

  const ImageControl& main_image = image_page_.MainImage();
  auto& image = v.MainImage;
  image.zoom_tag = main_image.zoom_tag;
  image.visible = main_image.visible();
  image.center = main_image.center;
  image.auto_size = main_image.auto_size;
  image.stretch = main_image.stretch;
  image.bounds = BoundsInParent(main_image.hwnd());
  image.hint = main_image.hint;
  image.has_picture = main_image.HasPicture();
  image.fills_parent = main_image.fill_parent;

  v.RichEditURL.visible = OwnVisible(text_page_.RichEditURL().hwnd());
  v.RichEditURL.bounds = BoundsInParent(text_page_.RichEditURL().hwnd());

  v.ArcListBox.count = archive_page_.Count();
  v.ArcListBox.item_index = archive_page_.SelectedIndex();
  v.ArcListBox.visible = OwnVisible(archive_page_.ArcListBox());

  v.ScrollBox.visible = OwnVisible(image_page_.ScrollBox().hwnd());
  v.ScrollBox.auto_scroll = image_page_.ScrollBox().auto_scroll;
  v.ScrollBox.hint = image_page_.ScrollBox().hint;

  v.SelectedFileName = SelectedFileName;
  v.ViewFileType = ViewFileType;
  v.EverythingHandle = reinterpret_cast<uintptr_t>(EverythingHandle);
  v.IniFileName = ini_file_name_;
  v.ToolbarIniName = toolbar_ini_name_;
  v.settings = settings_;
  v.max_read_byte_text = FormatMemberSize(settings_.MaxReadByte);
  v.xdoc2txtPath = converter_path_;
  return BuildStateReport(v);
}

void TZKMainForm::AboutMenClick() {
  // The main window steps aside while the box is up. One that is not on
  // screen (in the tray, or never shown) stays hidden afterwards.
  bool was_visible = wnd_ && IsWindowVisible(wnd_);
  if (was_visible) ShowWindow(wnd_, SW_HIDE);
  {
    AboutFormOptions o;
    o.owner = wnd_;
    o.program_path = options_.program_path.empty() ? ProgramPath() : options_.program_path;
    o.everything_path = settings_.EverythingPath;
    o.xdoc2txt_path = converter_path_;
    o.plugin_names = PluginFileNames();
    o.builtin_entries = {BuiltinEntryText(u"内蔵書庫エンジン", BuiltinArchiveReader::Version()),
                         BuiltinEntryText(u"内蔵画像デコーダ", WebpDecoderVersion()),
                         BuiltinEntryText(u"内蔵画像デコーダ", u"AVIF " + AvifDecoderVersion())};
    o.on_shown = services_->about_shown;
    TZKAboutForm about(std::move(o));
    about.ShowModal();
  }
  if (was_visible && wnd_) ShowWindow(wnd_, SW_SHOW);
}

}  // namespace zk
