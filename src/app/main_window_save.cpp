// Saving the shown picture (as a copy of its source, a bitmap, a JPEG or a
// PNG), saving an archive member in its own format, and the picture cache:
// JPEG files made from the clipboard that stand in for a file or folder.
#include <windows.h>
#include <shellapi.h>

#include <exception>

#include "app/main_window.h"
#include "app/save_dialog_form.h"
#include "base/paths.h"
#include "base/win_clipboard.h"
#include "base/win_files.h"
#include "base/win_text.h"
#include "image/dib_section.h"
#include "image/encoders/picture_writers.h"
#include "image/save_rules.h"

namespace zk {
namespace {

constexpr wchar_t kOverwriteQuestion[] = L"同名ファイルがあります。\r上書きしてよろしいですか？";
constexpr wchar_t kNotWritten[] = L"\rに書き込めませんでした";
constexpr wchar_t kNoClipboardPicture[] = L"クリップボードの画像を読み込めませんでした";

bool WriteBytes(const std::u16string& path, const FileBytes& bytes) {
  return WriteWholeFile(path, std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// The source copied through a temporary file beside the target, so that a
// failed copy leaves an existing file as it was.
bool CopyUnchanged(const std::u16string& from, const std::u16string& to) {
  std::optional<std::string> bytes = ReadWholeFile(from);
  return bytes && WriteWholeFile(to, *bytes);
}

}  // namespace

void TZKMainForm::CreateSaveActions() {
  using enum CommandId;
  actions[SaveAction].on_execute = [this](Action&) { SaveActionExecute(); };
  actions[CopyGraphicAction].on_execute = [this](Action&) { CopyGraphicActionExecute(); };
  actions[CopyGraphicAction].on_update = [this](Action& x) {
    x.visible = image_page_.HasPicture() && archive_page_.SelectedIndex() >= 0 && Facts().shown_member;
    x.enabled = x.visible;
  };
  actions[MakeCacheAction].on_execute = [this](Action&) { MakeCacheActionExecute(); };
  actions[DeleteCacheAction].on_execute = [this](Action&) { DeleteCacheActionExecute(); };
  actions[OpenCacheFolderAction].on_execute = [this](Action&) {
    ShellExecuteW(wnd_, L"open", W(settings.CacheFolder), nullptr, nullptr, SW_SHOWNORMAL);
  };
}

std::optional<SaveFileAnswer> TZKMainForm::AskSaveFile(const SaveFileRequest& request) {
  return SaveFileDialog ? SaveFileDialog(wnd_, request) : ShowSaveFileDialog(wnd_, request);
}

bool TZKMainForm::MayOverwrite(const std::u16string& path) {
  if (!::zk::FileExists(path)) return true;
  MessageBeep(MB_ICONASTERISK);
  return ShowMessageBox(kOverwriteQuestion, kApplicationTitle, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

std::u16string TZKMainForm::PictureSourceFile() const {
  if (archive_page_.SelectedIndex() >= 0 && ::zk::FileExists(ShownMemberPath)) return ShownMemberPath;
  return SelectedFileName;
}

void TZKMainForm::SaveActionExecute() {
  if (!image_page_.HasPicture()) return;
  const std::u16string source = PictureSourceFile();
  SaveFileRequest request;
  request.title = kSavePictureTitle;
  request.filter = kSavePictureFilter;
  request.file_name = ChangeFileExt(ExtractFileName(source), u"");
  request.preview = true;
  std::optional<SaveFileAnswer> answer = AskSaveFile(request);
  if (!answer || answer->path.empty()) return;
  const SavePlan plan = PlanPictureSave(source, answer->path, answer->filter_index);
  if (!plan.copy_to.empty()) {
    // Unchanged, and without asking: the user chose this name for this very format.
    SaveUnchanged(source, plan.copy_to);
    return;
  }
  SavePictureAs(answer->path, static_cast<int>(plan.kind), image_page_.MainImage());
}

void TZKMainForm::SavePictureAs(const std::u16string& name, int kind, const ImageControl& image) {
  const Picture* picture = image.picture();
  if (!picture) return;
  const SaveKind save_kind = static_cast<SaveKind>(kind);
  const std::u16string target = ConvertedSaveName(name, save_kind);
  if (!MayOverwrite(target)) return;

  std::optional<FileBytes> bytes;
  try {
    DibSection24 drawn;
    PixelView pixels = picture->Pixels();
    if (pixels.empty()) {
      drawn = PictureToDibSection(*picture, image_page_.ScrollBox().ColorRef());
      pixels = drawn.View();
    }
    switch (save_kind) {
      case SaveKind::kBitmap:
        bytes = EncodeBitmapFile(pixels);
        break;
      case SaveKind::kJpeg: {
        std::optional<JpegWriteOptions> options = AskJpegOptions();
        if (!options) return;
        bytes = EncodeJpegFile(pixels, *options);
        break;
      }
      case SaveKind::kPng:
        bytes = EncodePngFile(pixels);
        break;
    }
  } catch (const std::exception&) {
    bytes.reset();  // no memory for the picture's pixels
  }
  // A converted picture exists nowhere else yet: its loss is told.
  if (!bytes || !WriteBytes(target, *bytes)) ShowWarning(ToWide(target) + kNotWritten);
}

std::optional<JpegWriteOptions> TZKMainForm::AskJpegOptions() {
  TZKSaveDialogForm form(wnd_);
  form.OnShow = OnSaveDialogFormShow;
  if (!form.Create(L"Jpeg Options")) return std::nullopt;
  form.SetQuality(settings.CompressionQuality);
  form.ProgressiveCheckBox.SetChecked(settings.Progressive);
  if (form.ShowModal() != IDOK) return std::nullopt;
  settings.CompressionQuality = form.Quality();
  settings.Progressive = form.ProgressiveCheckBox.checked();
  return JpegWriteOptions{settings.CompressionQuality, settings.Progressive};
}

void TZKMainForm::CopyGraphicActionExecute() {
  const std::u16string member = ShownMemberPath;
  if (!::zk::FileExists(member)) return;
  SaveFileRequest request;
  request.title = MemberSaveTitle(member);
  request.filter = MemberSaveFilter(member);
  request.file_name = ExtractFileName(member);
  const std::u16string ext = ExtractFileExt(member);
  request.default_ext = ext.empty() ? ext : ext.substr(1);
  request.ask_overwrite = true;
  std::optional<SaveFileAnswer> answer = AskSaveFile(request);
  if (answer && !answer->path.empty()) SaveUnchanged(member, answer->path);
}

void TZKMainForm::SaveUnchanged(const std::u16string& from, const std::u16string& to) {
  if (!CopyUnchanged(from, to)) ShowWarning(ToWide(to) + kNotWritten);
}

void TZKMainForm::MakeCacheActionExecute() {
  const std::u16string target = CacheFileName(SelectedFileName);
  if (SelectedFileName.empty() || !MayOverwrite(target)) return;
  std::optional<FileBytes> bytes;
  if (OpenClipboardPatiently(wnd_)) {
    try {
      // The clipboard owns the bitmap; its pixels are read while it is open.
      if (HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        PixelBuffer copy;
        PixelView pixels = BitmapPixels(bitmap, copy);
        if (!pixels.empty())
          bytes = EncodeJpegFile(pixels, {settings.CompressionQuality, settings.Progressive});
      }
    } catch (const std::exception&) {
      bytes.reset();
    }
    CloseClipboard();
  }
  if (!bytes) {
    ShowWarning(kNoClipboardPicture);
    return;
  }
  if (!WriteBytes(target, *bytes)) {
    ShowWarning(ToWide(target) + kNotWritten);
    return;
  }
  // The watcher sees the selection as new and shows it through its cache.
  SelectedFileName.clear();
  existence_.Forget();
}

void TZKMainForm::DeleteCacheActionExecute() {
  const std::u16string target = CacheFileName(SelectedFileName);
  if (ShowMessageBox(ToWide(target) + L"\rを削除しますか", kApplicationTitle, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
    return;
  DeleteFileW(W(target));
  SelectedFileName.clear();
  existence_.Forget();
}

}  // namespace zk
