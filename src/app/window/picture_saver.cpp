#include "app/window/picture_saver.h"

#include <exception>

#include "app/dialogs/save_dialog_form.h"
#include "app/model/dispatch.h"
#include "app/window/main_form_services.h"
#include "base/paths.h"
#include "base/win_clipboard.h"
#include "base/win_files.h"
#include "base/win_text.h"
#include "image/dib_section.h"
#include "image/image_control.h"
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

std::optional<SaveFileAnswer> PictureSaver::AskSaveFile(const SaveFileRequest& request) {
  const MainFormServices& services = host_.Services();
  return services.save_file_dialog ? services.save_file_dialog(host_.OwnerWindow(), request)
                                   : ShowSaveFileDialog(host_.OwnerWindow(), request);
}

bool PictureSaver::MayOverwrite(const std::u16string& path) {
  if (!::zk::FileExists(path)) return true;
  MessageBeep(MB_ICONASTERISK);
  return host_.Ask(kOverwriteQuestion, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void PictureSaver::Save() {
  if (!host_.ShownImage().picture()) return;
  const std::u16string source = host_.PictureSourceFile();
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
  SavePictureAs(answer->path, static_cast<int>(plan.kind));
}

void PictureSaver::SavePictureAs(const std::u16string& name, int kind) {
  const Picture* picture = host_.ShownImage().picture();
  if (!picture) return;
  const SaveKind save_kind = static_cast<SaveKind>(kind);
  const std::u16string target = ConvertedSaveName(name, save_kind);
  if (!MayOverwrite(target)) return;

  std::optional<FileBytes> bytes;
  try {
    DibSection24 drawn;
    PixelView pixels = picture->Pixels();
    if (pixels.empty()) {
      drawn = PictureToDibSection(*picture, host_.ShownImageBackground());
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
  if (!bytes || !WriteBytes(target, *bytes)) host_.ShowWarning(ToWide(target) + kNotWritten);
}

std::optional<JpegWriteOptions> PictureSaver::AskJpegOptions() {
  Settings& settings = host_.SaverSettings();
  TZKSaveDialogForm form(host_.OwnerWindow());
  form.OnShow = host_.Services().save_dialog_form_shown;
  if (!form.Create(L"Jpeg Options")) return std::nullopt;
  form.SetQuality(settings.CompressionQuality);
  form.ProgressiveCheckBox.SetChecked(settings.Progressive);
  if (form.ShowModal() != IDOK) return std::nullopt;
  settings.CompressionQuality = form.Quality();
  settings.Progressive = form.ProgressiveCheckBox.checked();
  return JpegWriteOptions{settings.CompressionQuality, settings.Progressive};
}

void PictureSaver::SaveMember() {
  const std::u16string member = host_.ShownMember();
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

void PictureSaver::SaveUnchanged(const std::u16string& from, const std::u16string& to) {
  if (!CopyUnchanged(from, to)) host_.ShowWarning(ToWide(to) + kNotWritten);
}

void PictureSaver::MakeCache() {
  const Settings& settings = host_.SaverSettings();
  const std::u16string& selection = host_.Selection();
  const std::u16string target = CacheFileName(selection);
  if (selection.empty() || !MayOverwrite(target)) return;
  std::optional<FileBytes> bytes;
  if (OpenClipboardPatiently(host_.OwnerWindow())) {
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
    host_.ShowWarning(kNoClipboardPicture);
    return;
  }
  if (!WriteBytes(target, *bytes)) {
    host_.ShowWarning(ToWide(target) + kNotWritten);
    return;
  }
  // The watcher sees the selection as new and shows it through its cache.
  host_.ForgetSelection();
}

void PictureSaver::DeleteCache() {
  const std::u16string target = CacheFileName(host_.Selection());
  if (host_.Ask(ToWide(target) + L"\rを削除しますか", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
    return;
  DeleteFileW(W(target));
  host_.ForgetSelection();
}

std::u16string PictureSaver::CacheFileName(const std::u16string& path) {
  return ::zk::CacheFileName(path, host_.SaverSettings().CacheFolder, host_.Files());
}

}  // namespace zk
