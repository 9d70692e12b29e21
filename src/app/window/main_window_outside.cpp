// The outside viewers of the main window (Ctrl+V and double clicks on the
// picture or the text) and the repair of archive links whose archive is gone.
#include "app/window/main_window.h"

#include "app/model/link_target.h"
#include "app/dialogs/options_form_pickers.h"
#include "app/shell/outside_programs.h"
#include "app/model/outside_viewer.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr wchar_t kStartFailed[] = L"の起動に失敗";
constexpr wchar_t kMissingLinkTarget[] = L"リンク先が存在しません";
constexpr char16_t kFindLinkTargetTitle[] = u"リンク先を探す";
constexpr wchar_t kLinkFileNotWritten[] = L"に書き込めませんでした";

class PlatformOutViewHost final : public OutViewHost {
 public:
  bool FolderExists(const std::u16string& path) override { return ::zk::FolderExists(path); }
  std::u16string ResolveShortcut(const std::u16string& path) override { return ::zk::ResolveShortcut(path); }
};

}  // namespace

void TZKMainForm::CreateOutsideActions() {
  actions[CommandId::OutViewAction].on_execute = [this](Action&) { OutViewActionExecute(); };
  // Double clicks on the picture and on the text open the outside viewer too.
  image_page_.MainImage().on_double_click = [this] { OutView(image_page_.MainImage().hwnd()); };
  text_page_.RichEditURL().OnDblClick = [this](TRichEditURL& sender) { OutView(sender.hwnd()); };
}

void TZKMainForm::OutViewActionExecute() {
  OutView(ViewFileType == vfImage ? image_page_.MainImage().hwnd() : text_page_.RichEditURL().hwnd());
}

void TZKMainForm::OutView(HWND sender) {
  OutViewInput in;
  if (sender && sender == text_page_.RichEditURL().hwnd()) in.source = OutViewSource::kTextControl;
  else if (sender && sender == image_page_.MainImage().hwnd()) in.source = OutViewSource::kPictureControl;
  else return;
  in.view = ViewFileType;
  in.text_program = settings_.OutTextEditor;
  in.text_folder = settings_.OutTextDir;
  in.picture_program = settings_.OutGEditor;
  in.picture_folder = settings_.OutGDir;
  in.member = archive_page_.browser().shown_member();
  in.selected = SelectedFileName;

  PlatformOutViewHost host;
  std::optional<OutViewPlan> plan = PlanOutView(in, host);
  if (!plan) return;
  // A viewer started on nothing would only show its own error.
  if (plan->missing_target) {
    ShowWarning(kMissingLinkTarget);
    return;
  }
  const bool started = services_->start_outside_program ? services_->start_outside_program(plan->command_line, plan->folder)
                                           : StartProgram(plan->command_line, plan->folder);
  if (!started) {
    // Everything stays open: the user has not got the file elsewhere.
    ShowWarning(ToWide(plan->program) + L"\r" + kStartFailed);
    return;
  }
  // Ctrl with a double click (and so Ctrl+V) hands the file over for good.
  if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && EverythingHandle)
    SendMessageTimeoutW(EverythingHandle, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 1000, nullptr);
}

bool TZKMainForm::AskLinkTarget(const std::u16string& link_file, std::u16string& target) {
  ShowWarning(kMissingLinkTarget);
  const std::u16string filter = LinkTargetFilter(target);
  std::u16string chosen;
  if (services_->open_link_target_dialog) {
    chosen = services_->open_link_target_dialog(wnd_, kFindLinkTargetTitle, filter, target);
  } else {
    chosen = DefaultOptionsPickers().open_file(wnd_, kFindLinkTargetTitle, filter, target).value_or(u"");
  }
  if (chosen.empty()) return false;
  target = chosen;
  // The repaired target serves this view even when the file cannot keep it.
  std::optional<std::string> bytes = ReadWholeFile(link_file);
  if (!bytes || !WriteWholeFile(link_file, ReplaceFirstLine(*bytes, target, WinAnsiCodec())))
    ShowWarning(ToWide(link_file) + L"\r" + kLinkFileNotWritten);
  return true;
}

}  // namespace zk
