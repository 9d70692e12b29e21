// Saving the shown picture through the real window (Ctrl+S): the unchanged
// copy, the converted bitmap, JPEG and PNG files, the JPEG options dialog and
// the overwrite question; and the picture cache made from the clipboard.
#include <windows.h>

#include <commdlg.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/window/main_window.h"
#include "app/dialogs/save_dialog_form.h"
#include "image/save_rules.h"
#include "image/decoders/png_decoder.h"
#include "support/main_window_fixture.h"
#include "support/picture_encoders.h"
#include "support/picture_files.h"
#include "support/test_files.h"

namespace zk {
namespace {

using test::Bytes;

// A 24 x 16 JPEG of flat colour halves.
Bytes SmallJpeg() {
  test::JpegRecipe r{.width = 24, .height = 16};
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) r.samples.insert(r.samples.end(), {uint8_t(x < 12 ? 200 : 10), 90, 40});
  return test::EncodeJpeg(r);
}

// A 64 x 32 picture whose pixels differ, as a PNG file.
Bytes GradientPng() {
  test::PngRecipe r{.width = 64, .height = 32, .color_type = 2};
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) r.samples.insert(r.samples.end(), {uint16_t(x * 4), uint16_t(y * 8), 77});
  return test::EncodePng(r);
}

class PictureSaveTest : public test::MainWindowFixture {
 protected:
  // Answers the save dialog with `path` and filter `filter`, remembering what it was asked.
  void AnswerSaveDialog(TZKMainForm& form, std::u16string path, int filter) {
    services_->save_file_dialog = [this, path, filter](HWND, const SaveFileRequest& r) -> std::optional<SaveFileAnswer> {
      requests_.push_back(r);
      return SaveFileAnswer{path, filter};
    };
  }
  // Answers the JPEG options dialog: the quality it showed is recorded, then
  // it is given `quality` and closed with OK, or with Cancel when quality is 0.
  void AnswerJpegOptions(TZKMainForm& form, int quality) {
    services_->save_dialog_form_shown = [this, quality](TZKSaveDialogForm& d) {
      shown_qualities_.push_back(d.Quality());
      wchar_t caption[64] = {};
      GetWindowTextW(d.hwnd(), caption, 64);
      captions_.push_back(caption);
      if (quality == 0) return d.Click(d.BitBtn2);
      d.SetQuality(quality);
      d.Click(d.BitBtn1);
    };
  }
  static bool Save(TZKMainForm& form) { return PressShortcut(form, {VK_CONTROL}, 'S'); }

  std::vector<SaveFileRequest> requests_;
  std::vector<int> shown_qualities_;
  std::vector<std::wstring> captions_;
};

TEST_F(PictureSaveTest, JpegSavedAsJpgIsCopiedUnchanged) {
  auto form = MakeForm();
  const std::u16string source = Write(L"photo.jpg", SmallJpeg());
  Show(*form, source);
  AnswerSaveDialog(*form, dir_.Child(L"x.jpg"), 3);
  AnswerJpegOptions(*form, 50);
  ASSERT_TRUE(Save(*form));
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0].title, u"画像に名前を付けて保存");
  EXPECT_EQ(requests_[0].filter, u"Bmp|*.bmp|Jpeg|*.Jpg;*.Jpeg|Png|*.png");
  EXPECT_EQ(requests_[0].file_name, u"photo");
  EXPECT_FALSE(requests_[0].ask_overwrite);
  EXPECT_EQ(test::ReadFileBytes(dir_.Child(L"x.jpg")), test::ReadFileBytes(source));
  EXPECT_TRUE(shown_qualities_.empty());
  EXPECT_TRUE(boxes_.empty());

  // A copy that cannot be written is told, as a converted save is.
  const std::u16string nowhere = dir_.Child(L"gone\\x.jpg");
  AnswerSaveDialog(*form, nowhere, 2);
  ASSERT_TRUE(Save(*form));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, ToWide(nowhere) + L"\rに書き込めませんでした");
}

TEST_F(PictureSaveTest, BmpFilterWithoutExtensionWritesShownBitmap) {
  auto form = MakeForm();
  Show(*form, Write(L"photo.jpg", SmallJpeg()));
  const COLORREF left = CanvasPixel(*form, 2, 2);
  AnswerSaveDialog(*form, dir_.Child(L"x"), 1);
  ASSERT_TRUE(Save(*form));
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / L"x"));
  Show(*form, dir_.Child(L"x.bmp"));
  ASSERT_EQ(form->Status(0), u"24 x 16");
  EXPECT_EQ(CanvasPixel(*form, 2, 2), left);
  EXPECT_EQ(test::ReadFileBytes(dir_.Child(L"x.bmp")).substr(0, 2), "BM");
}

TEST_F(PictureSaveTest, PngSavedAsJpgAsksOptionsAndOverwrite) {
  auto form = MakeForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.CompressionQuality = 33; });
  Show(*form, Write(L"p.png", GradientPng()));
  const std::u16string target = dir_.Child(L"x.jpg");
  AnswerSaveDialog(*form, target, 1);

  AnswerJpegOptions(*form, 0);  // Cancel: nothing written, nothing stored
  ASSERT_TRUE(Save(*form));
  EXPECT_EQ(shown_qualities_, std::vector<int>{33});
  EXPECT_EQ(captions_, std::vector<std::wstring>{L"Jpeg Options"});
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / L"x.jpg"));
  EXPECT_EQ(form->settings().CompressionQuality, 33);

  AnswerJpegOptions(*form, 10);
  ASSERT_TRUE(Save(*form));
  EXPECT_EQ(form->settings().CompressionQuality, 10);
  const size_t low = test::ReadFileBytes(target).size();
  EXPECT_TRUE(boxes_.empty());

  answer_ = IDCANCEL;  // declining the overwrite question keeps the file and asks nothing more
  ASSERT_TRUE(Save(*form));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"同名ファイルがあります。\r上書きしてよろしいですか？");
  EXPECT_EQ(shown_qualities_.size(), 2u);
  EXPECT_EQ(test::ReadFileBytes(target).size(), low);

  answer_ = IDOK;
  AnswerJpegOptions(*form, 95);
  ASSERT_TRUE(Save(*form));
  EXPECT_EQ(shown_qualities_.back(), 10);
  EXPECT_GT(test::ReadFileBytes(target).size(), low);
  EXPECT_EQ(test::ReadFileBytes(target).substr(0, 2), "\xFF\xD8");
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / L"x.jpg.new"));
}

TEST_F(PictureSaveTest, PictureSavedAsPngHoldsTheShownPixels) {
  auto form = MakeForm();
  Show(*form, Write(L"p.bmp", test::PlainBitmapFile(40, 20)));
  AnswerSaveDialog(*form, dir_.Child(L"x.png"), 1);
  ASSERT_TRUE(Save(*form));
  const std::string png = test::ReadFileBytes(dir_.Child(L"x.png"));
  test::CountingSink sink;
  DecodePng({reinterpret_cast<const uint8_t*>(png.data()), png.size()}, {0, 0, 0}, sink);
  ASSERT_EQ(sink.buffer.width, 40);
  for (int x : {0, 19, 20, 39}) {
    const COLORREF c = CanvasPixel(*form, x, 10);
    EXPECT_EQ(sink.At(x, 10), (Rgb{GetRValue(c), GetGValue(c), GetBValue(c)})) << x;
  }
}

TEST_F(PictureSaveTest, VanishedFolderLeavesNothingAndTheFailureIsTold) {
  auto form = MakeForm();
  Show(*form, Write(L"p.bmp", test::PlainBitmapFile(40, 20)));
  const std::u16string target = dir_.Child(L"gone\\x.png");
  AnswerSaveDialog(*form, target, 1);
  ASSERT_TRUE(Save(*form));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, ToWide(target) + L"\rに書き込めませんでした");
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / L"gone"));
}

TEST_F(PictureSaveTest, SmoothFitSavesResampledPictureButCopiesSource) {
  auto form = MakeForm();
  MoveWindow(form->image_page().ScrollBox().hwnd(), 0, 0, 200, 150, FALSE);
  form->image_page().ScrollBox().Layout();
  test::ChangeSettings(*form, [&](Settings& s) { s.Better = true; });
  const std::u16string source = Write(L"big.bmp", test::PlainBitmapFile(800, 400));
  Show(*form, source);
  const SIZE shown = form->image_page().MainImage().PictureSize();
  ASSERT_LT(shown.cx, 800);
  AnswerSaveDialog(*form, dir_.Child(L"x.png"), 1);
  ASSERT_TRUE(Save(*form));
  const std::string png = test::ReadFileBytes(dir_.Child(L"x.png"));
  test::CountingSink sink;
  DecodePng({reinterpret_cast<const uint8_t*>(png.data()), png.size()}, {0, 0, 0}, sink);
  EXPECT_EQ(sink.buffer.width, shown.cx);
  AnswerSaveDialog(*form, dir_.Child(L"same.bmp"), 1);
  ASSERT_TRUE(Save(*form));
  EXPECT_EQ(test::ReadFileBytes(dir_.Child(L"same.bmp")), test::ReadFileBytes(source));
}

// A bitmap of size x size in one colour on the clipboard.
void PutBitmapOnClipboard(HWND owner, int width, int height, COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT r{0, 0, width, height};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, bitmap);  // the clipboard owns it now
  CloseClipboard();
}

TEST_F(PictureSaveTest, CacheFromClipboardStandsInForFileAndFolder) {
  auto form = MakeForm();
  const std::u16string cache_folder = dir_.Child(L"cache");
  std::filesystem::create_directory(dir_.path() / L"cache");
  test::ChangeSettings(*form, [&](Settings& s) { s.CacheFolder = cache_folder; });
  const std::u16string movie = Write(L"movie.mp4", std::string("not a picture at all"));
  Show(*form, movie);
  ASSERT_NE(form->ViewFileType, vfImage);

  PutBitmapOnClipboard(form->hwnd(), 30, 20, RGB(0, 0, 255));
  ASSERT_TRUE(PressShortcut(*form, {VK_CONTROL}, 'M'));
  EXPECT_TRUE(form->SelectedFileName.empty());
  EXPECT_TRUE(std::filesystem::exists(dir_.path() / L"cache" / L"movie.mp4.Cache"));
  Show(*form, movie);
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"30 x 20");

  // A folder gets one too.
  std::filesystem::create_directory(dir_.path() / L"album");
  const std::u16string album = dir_.Child(L"album");
  Show(*form, album);
  ASSERT_TRUE(PressShortcut(*form, {VK_CONTROL}, 'M'));
  Show(*form, album);
  EXPECT_EQ(form->Status(0), u"30 x 20");

  // The cache beside the file wins; making one again asks before replacing it.
  Write(L"movie.mp4.Cache", SmallJpeg());
  Show(*form, movie);
  EXPECT_EQ(form->Status(0), u"24 x 16");
  answer_ = IDCANCEL;
  ASSERT_TRUE(PressShortcut(*form, {VK_CONTROL}, 'M'));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_FALSE(form->SelectedFileName.empty());

  // Deleting it (after the question) shows the one in the cache folder again.
  answer_ = IDOK;
  ASSERT_TRUE(form->actions[CommandId::DeleteCacheAction].Execute());
  EXPECT_EQ(boxes_.back().text, ToWide(movie + u".Cache") + L"\rを削除しますか");
  Show(*form, movie);
  EXPECT_EQ(form->Status(0), u"30 x 20");
}

TEST_F(PictureSaveTest, MissingCacheFolderHidesMenuButCacheBesideStillShows) {
  auto form = MakeForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.CacheFolder = dir_.Child(L"gone"); });
  const std::u16string movie = Write(L"movie.mp4", std::string("text"));
  Write(L"movie.mp4.Cache", SmallJpeg());
  Show(*form, movie);
  EXPECT_EQ(form->Status(0), u"24 x 16");
  PutBitmapOnClipboard(form->hwnd(), 4, 4, RGB(1, 2, 3));
  form->Idle();
  EXPECT_FALSE(form->actions[CommandId::MakeCacheAction].enabled);
  EXPECT_FALSE(form->actions[CommandId::OpenCacheFolderAction].enabled);
  EXPECT_TRUE(form->actions[CommandId::DeleteCacheAction].enabled);
  form->ImagePopupMenuPopup();
  const auto& items = form->image_popup_menu()->items();
  ASSERT_FALSE(items.empty());
  EXPECT_FALSE(items.back().visible());
  std::filesystem::create_directory(dir_.path() / L"gone");
  form->ImagePopupMenuPopup();
  EXPECT_TRUE(items.back().visible());
}

}  // namespace
}  // namespace zk

namespace zk {
namespace {

struct DialogProbe {
  bool found_preview = false;
  int ticks = 0;
};
DialogProbe g_probe;

BOOL CALLBACK FindPreview(HWND child, LPARAM) {
  if (GetDlgCtrlID(child) == 0x5A0) g_probe.found_preview = true;
  return TRUE;
}

BOOL CALLBACK CancelSaveDialog(HWND wnd, LPARAM) {
  wchar_t title[64] = {};
  GetWindowTextW(wnd, title, 64);
  if (std::wstring(title) != L"画像に名前を付けて保存") return TRUE;
  EnumChildWindows(wnd, FindPreview, 0);
  if (g_probe.found_preview || g_probe.ticks > 20) PostMessageW(wnd, WM_COMMAND, IDCANCEL, 0);
  return FALSE;
}

void CALLBACK ProbeTimer(HWND, UINT, UINT_PTR, DWORD) {
  ++g_probe.ticks;
  EnumThreadWindows(GetCurrentThreadId(), CancelSaveDialog, 0);
}

TEST_F(PictureSaveTest, RealSaveDialogHasPreviewAndCancels) {
  auto form = MakeForm();
  g_probe = {};
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, ProbeTimer);
  SaveFileRequest request{.title = u"画像に名前を付けて保存", .filter = kSavePictureFilter, .file_name = u"photo",
                          .preview = true};
  EXPECT_FALSE(ShowSaveFileDialog(form->hwnd(), request));
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_probe.found_preview);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

}  // namespace
}  // namespace zk
