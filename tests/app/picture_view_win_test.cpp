// Pictures on the image page of the real window: each built-in kind shown
// fitted and centred with its size in the status bar, the zoom commands and
// their limits, actual size, smooth reduction, panning and the wheel.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include "app/window/main_window.h"
#include "base/text.h"
#include "base/win_text.h"
#include "image/dib/nk_dib.h"
#include "support/main_window_fixture.h"
#include "support/message_pump.h"
#include "support/picture_files.h"
#include "support/test_files.h"
#include "watcher/search_peer.h"

namespace zk {
namespace {

// A control's place: left, top, width and height.
struct Box {
  long left, top, width, height;
  bool operator==(const Box&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Box& b) {
  return o << "(" << b.left << ", " << b.top << ", " << b.width << " x " << b.height << ")";
}

class PictureViewTest : public test::MainWindowFixture {
 protected:
  // A form whose scroll box has a client area of exactly width x height.
  std::unique_ptr<TZKMainForm> MakeFormWithView(int width, int height) {
    auto form = MakeForm();
    MoveWindow(form->image_page().ScrollBox().hwnd(), 0, 0, width, height, FALSE);
    form->image_page().ScrollBox().Layout();
    return form;
  }
  static Box Bounds(TZKMainForm& form) {
    const SIZE s = form.image_page().MainImage().ControlSize();
    return {form.image_page().MainImage().left, form.image_page().MainImage().top, s.cx, s.cy};
  }
  // The control's place in the scroll box as the platform has it.
  static Box WindowBounds(TZKMainForm& form) {
    RECT r;
    GetWindowRect(form.image_page().MainImage().hwnd(), &r);
    MapWindowPoints(nullptr, form.image_page().ScrollBox().hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
};


TEST_F(PictureViewTest, V5BitmapIsShownCentredAtItsOwnSize) {
  auto form = MakeFormWithView(400, 300);
  Show(*form, Write(L"v5.bmp", test::V5BitmapFile(100, 50)));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"100 x 50");
  EXPECT_EQ(form->page_control().active_page(), kImageTabSheet);
  EXPECT_TRUE(form->image_page().MainImage().visible());
  EXPECT_FALSE(form->image_page().MainImage().stretch);
  EXPECT_EQ(Bounds(*form), (Box{150, 125, 100, 50}));
  EXPECT_EQ(WindowBounds(*form), (Box{150, 125, 100, 50}));
  EXPECT_EQ(CanvasPixel(*form, 10, 10), RGB(255, 0, 0));
  EXPECT_EQ(CanvasPixel(*form, 90, 40), RGB(0, 0, 255));

  // Ctrl+C's command puts the picture on the clipboard at its own size.
  ASSERT_TRUE(form->actions[CommandId::CopyAction].Execute());
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(GetClipboardData(CF_DIB)));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->biWidth, 100);
  EXPECT_EQ(header->biHeight, 50);
  GlobalUnlock(GetClipboardData(CF_DIB));
  CloseClipboard();
}

TEST_F(PictureViewTest, FitCasesOfTheView) {
  auto form = MakeFormWithView(400, 300);
  test::ChangeSettings(*form, [&](Settings& s) { s.ImageCenter = false; });
  Show(*form, Write(L"wide.bmp", test::PlainBitmapFile(100, 50)));
  EXPECT_TRUE(form->image_page().MainImage().stretch);
  EXPECT_EQ(Bounds(*form), (Box{0, 50, 400, 200}));
  Show(*form, Write(L"tall.bmp", test::PlainBitmapFile(300, 600)));
  EXPECT_EQ(Bounds(*form), (Box{125, 0, 150, 300}));
  EXPECT_EQ(form->Status(0), u"300 x 600");  // the fit gives the status text back

  MoveWindow(form->image_page().ScrollBox().hwnd(), 0, 0, 300, 300, FALSE);
  Show(*form, Write(L"square.bmp", test::PlainBitmapFile(1000, 1000)));
  EXPECT_EQ(Bounds(*form), (Box{0, 0, 300, 300}));
  EXPECT_EQ(WindowBounds(*form), (Box{0, 0, 300, 300}));
}

TEST_F(PictureViewTest, DibIconAndMetafilesShowWithTheirSizes) {
  auto form = MakeFormWithView(400, 300);
  TNkDIB dib;
  dib.Storage()->CreateDIB(30, 20, 24, 0);
  Show(*form, Write(L"a.dib", dib.SaveToBytes()));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"30 x 20");

  Show(*form, Write(L"a.ico", test::IconFile()));
  EXPECT_EQ(form->Status(0), u"48 x 48");
  EXPECT_EQ(CanvasPixel(*form, 24, 24), RGB(0, 200, 0));

  Show(*form, Write(L"a.emf", test::EnhancedMetafile()));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"192 x 96");  // 2 x 1 inches on a 96-dot screen
  EXPECT_EQ(Bounds(*form), (Box{104, 102, 192, 96}));
  EXPECT_EQ(CanvasPixel(*form, 20, 48), RGB(255, 0, 0));

  Show(*form, Write(L"a.wmf", test::PlaceableMetafile()));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"192 x 96");
}

TEST_F(PictureViewTest, WrongExtensionFallsToTheContentAndTextFallsThrough) {
  auto form = MakeFormWithView(400, 300);
  // A bitmap named .jpg: the JPEG decoder fails, the DIB reader knows the content.
  Show(*form, Write(L"really-a-bitmap.jpg", test::PlainBitmapFile(8, 4)));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"8 x 4");
  // Text no decoder knows: no picture, the text view takes it.
  Show(*form, Write(L"readme.txt", "hello\r\n"));
  EXPECT_EQ(form->ViewFileType, vfText);
  EXPECT_FALSE(form->image_page().MainImage().HasPicture());
  // Broken pictures of every built-in kind fall through the same way.
  for (const wchar_t* name : {L"cut.bmp", L"cut.emf", L"cut.wmf", L"cut.dib"}) {
    std::string bytes = name == std::wstring(L"cut.bmp")   ? test::V5BitmapFile(40, 40)
                        : name == std::wstring(L"cut.emf") ? test::EnhancedMetafile()
                        : name == std::wstring(L"cut.wmf") ? test::PlaceableMetafile()
                                                           : test::PlainBitmapFile(40, 40);
    bytes.resize(bytes.size() / 2);
    Show(*form, Write(name, bytes));
    EXPECT_NE(form->ViewFileType, vfImage) << Utf16ToUtf8(FromWide(name));
  }
  // An icon whose large image is cut off shows the small one that is whole.
  std::string icon = test::IconFile();
  icon.resize(icon.size() - 100);
  Show(*form, Write(L"cut.ico", icon));
  EXPECT_EQ(form->Status(0), u"16 x 16");
}

TEST_F(PictureViewTest, ZoomStepsStopAtTheLimits) {
  auto form = MakeFormWithView(400, 300);
  auto path = Write(L"zoom.bmp", test::PlainBitmapFile(100, 50));
  Show(*form, path);
  ASSERT_EQ(form->image_page().MainImage().zoom_tag, -1);
  for (int i = 1; i <= 6; ++i) {
    form->actions[CommandId::ZoomUpAction].Execute();
    EXPECT_EQ(form->image_page().MainImage().zoom_tag, -1 + i);
    EXPECT_EQ(form->image_page().MainImage().ControlSize().cx, 100 << i) << i;
  }
  const POINT scroll = form->image_page().ScrollBox().ScrollPos();
  form->actions[CommandId::ZoomUpAction].Execute();  // the seventh press changes nothing
  EXPECT_EQ(form->image_page().MainImage().zoom_tag, 5);
  EXPECT_EQ(form->image_page().MainImage().ControlSize().cx, 6400);
  EXPECT_EQ(form->image_page().ScrollBox().ScrollPos().x, scroll.x);
  EXPECT_EQ(form->image_page().ScrollBox().ScrollPos().y, scroll.y);

  // The centre of the view stays on the same picture point while zooming out.
  for (int i = 0; i < 10; ++i) form->actions[CommandId::ZoomOutAction].Execute();
  EXPECT_EQ(form->image_page().MainImage().zoom_tag, -5);
  EXPECT_EQ(form->image_page().MainImage().ControlSize().cx, 6400 >> 10);
}

TEST_F(PictureViewTest, ZoomKeepsTheCentre) {
  auto form = MakeFormWithView(400, 300);
  auto path = Write(L"centre.bmp", test::PlainBitmapFile(400, 200));
  Show(*form, path);  // fits exactly: 400 x 200 at (0, 50)
  form->actions[CommandId::ZoomUpAction].Execute();
  const SIZE client = form->image_page().ScrollBox().ClientSize();
  const POINT pos = form->image_page().ScrollBox().ScrollPos();
  // The view's centre was over (200, 100) of the control; now it is over twice that.
  EXPECT_NEAR(pos.x + client.cx / 2 - form->image_page().MainImage().left, 400, 2);
  EXPECT_NEAR(pos.y + client.cy / 2 - form->image_page().MainImage().top, 200, 2);
}

TEST_F(PictureViewTest, ActualSizeAndFitShowTheFileAgain) {
  auto form = MakeFormWithView(400, 300);
  auto path = Write(L"big.bmp", test::PlainBitmapFile(800, 100));
  Show(*form, path);
  EXPECT_EQ(Bounds(*form), (Box{0, 125, 400, 50}));
  form->actions[CommandId::RealSizeAction].Execute();
  EXPECT_EQ(form->image_page().MainImage().zoom_tag, 0);
  EXPECT_FALSE(form->image_page().SuppressFit);
  EXPECT_EQ(form->image_page().MainImage().ControlSize().cx, 800);
  EXPECT_EQ(form->image_page().MainImage().left, 0);    // wider than the view: at the left edge
  EXPECT_EQ(form->image_page().MainImage().top, 100);   // lower than the view: centred
  EXPECT_TRUE(GetWindowLongW(form->image_page().ScrollBox().hwnd(), GWL_STYLE) & WS_HSCROLL);
  EXPECT_EQ(form->Status(0), u"800 x 100");

  form->actions[CommandId::ZoomFitAction].Execute();
  EXPECT_EQ(form->image_page().MainImage().zoom_tag, -1);
  EXPECT_EQ(Bounds(*form), (Box{0, 125, 400, 50}));
}

TEST_F(PictureViewTest, SmoothReductionReplacesThePicture) {
  auto form = MakeFormWithView(400, 300);
  auto path = Write(L"smooth.bmp", test::PlainBitmapFile(800, 600));
  Show(*form, path);
  EXPECT_EQ(form->image_page().MainImage().PictureSize().cx, 800);
  Action& better = form->actions[CommandId::BetterViewAction];
  better.Update();
  EXPECT_FALSE(better.checked);
  better.Execute();  // shows the file again, now resampled to the fitted size
  EXPECT_TRUE(form->settings().Better);
  EXPECT_EQ(form->image_page().MainImage().PictureSize().cx, 400);
  EXPECT_EQ(form->image_page().MainImage().PictureSize().cy, 300);
  EXPECT_EQ(form->Status(0), u"800 x 600");
  EXPECT_EQ(CanvasPixel(*form, 50, 150), RGB(255, 0, 0));
  // Zooming resizes the control and never resamples again.
  form->actions[CommandId::ZoomUpAction].Execute();
  EXPECT_EQ(form->image_page().MainImage().PictureSize().cx, 400);
  EXPECT_EQ(form->image_page().MainImage().ControlSize().cx, 800);
}

TEST_F(PictureViewTest, APictureAnotherProgramHoldsOpenIsShown) {
  auto form = MakeForm();
  // A download still being written: no extension that names a format.
  const std::u16string path = Write(L"download.part", test::PlainBitmapFile(30, 20));
  UniqueHandle writer(CreateFileW(W(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(writer);
  Show(*form, path);
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"30 x 20");
}

// Photos made upright by the orientation exiftool set (tests/image/make_pictures.sh):
// stored 24 x 16, left half red, right half blue.
TEST_F(PictureViewTest, JpegsAreShownUprightByTheirExifOrientation) {
  auto form = MakeForm();
  const bool red_top_left[9] = {false, true, false, false, true, true, true, false, false};
  for (int o = 1; o <= 8; ++o) {
    Show(*form, FromWide(test::BinFolder() + L"\\made-pictures\\orientation" + std::to_wstring(o) + L".jpg"));
    EXPECT_EQ(form->Status(0), o >= 5 ? u"16 x 24" : u"24 x 16") << o;
    const COLORREF corner = CanvasPixel(*form, 1, 1);
    EXPECT_EQ(GetRValue(corner) > GetBValue(corner), red_top_left[o]) << o;
  }
}

// WebP pictures made by cwebp and img2webp (tests/image/make_pictures.sh).
TEST_F(PictureViewTest, WebpStillsAlphaOrientationAndAnimationShowAsTheyShould) {
  auto form = MakeForm();
  const std::wstring made = test::BinFolder() + L"\\made-pictures\\";
  Show(*form, FromWide(made + L"still.webp"));
  EXPECT_EQ(form->Status(0), u"9 x 7");
  EXPECT_EQ(CanvasPixel(*form, 1, 1), RGB(255, 0, 0));
  Show(*form, FromWide(made + L"turned.webp"));
  EXPECT_EQ(form->Status(0), u"7 x 9");
  Show(*form, FromWide(made + L"alpha.webp"));
  EXPECT_EQ(CanvasPixel(*form, 1, 1), form->image_page().ScrollBox().ColorRef());  // all transparent
  // By content too, and animated: the frames follow each other as a GIF's do.
  Show(*form, Write(L"animated.bin", test::ReadFileBytes(FromWide(made + L"animated.webp"))));
  EXPECT_EQ(form->Status(0), u"5 x 5");
  ASSERT_TRUE(form->image_page().MainImage().animating());
  EXPECT_EQ(CanvasPixel(*form, 2, 2), RGB(255, 0, 0));
  EXPECT_TRUE(test::PumpUntil([&] { return CanvasPixel(*form, 2, 2) == RGB(0, 255, 0); }, 2000));
}

// AVIF pictures made by avifenc (tests/image/make_avif.sh).
TEST_F(PictureViewTest, AvifPicturesShowUprightAndOverTheBackground) {
  auto form = MakeForm();
  const std::wstring made = test::BinFolder() + L"\\made-avif\\";
  Show(*form, FromWide(made + L"yuv420.avif"));
  EXPECT_EQ(form->Status(0), u"32 x 24");
  // Turned a quarter anticlockwise: the green top-right quarter comes to the top left.
  Show(*form, FromWide(made + L"turn1-none.avif"));
  EXPECT_EQ(form->Status(0), u"8 x 16");
  EXPECT_EQ(CanvasPixel(*form, 1, 1), RGB(0, 255, 0));
  // 10-bit with alpha, by content: the bottom row is fully transparent.
  Show(*form, Write(L"alpha.bin", test::ReadFileBytes(FromWide(made + L"alpha.avif"))));
  EXPECT_EQ(form->Status(0), u"32 x 24");
  EXPECT_EQ(CanvasPixel(*form, 1, 23), form->image_page().ScrollBox().ColorRef());
}

// The system's decoders (Wine's own for TIFF and DDS), by extension and by content.
TEST_F(PictureViewTest, TiffAndDdsGoThroughTheImagingComponent) {
  auto form = MakeForm();
  const std::wstring made = test::BinFolder() + L"\\made-pictures\\";
  Show(*form, FromWide(made + L"picture.tif"));
  EXPECT_EQ(form->Status(0), u"7 x 5");
  Show(*form, FromWide(made + L"picture.dds"));
  EXPECT_EQ(form->Status(0), u"8 x 4");
  Show(*form, Write(L"tiff.unknown", test::ReadFileBytes(FromWide(made + L"picture.tif"))));
  EXPECT_EQ(form->Status(0), u"7 x 5");
}

TEST_F(PictureViewTest, PanningNeedsExactlyBothButtons) {
  auto form = MakeFormWithView(400, 300);
  auto path = Write(L"pan.bmp", test::PlainBitmapFile(100, 100));
  Show(*form, path);
  for (int i = 0; i < 3; ++i) form->actions[CommandId::ZoomUpAction].Execute();  // 800 x 800
  form->image_page().ScrollBox().ScrollTo(100, 100);
  const POINT start = form->image_page().ScrollBox().ScrollPos();
  HWND image = form->image_page().MainImage().hwnd();

  // Only the left button: nothing moves.
  SendMessageW(image, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
  SendMessageW(image, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 260));
  SendMessageW(image, WM_LBUTTONUP, 0, MAKELPARAM(250, 260));
  EXPECT_EQ(form->image_page().ScrollBox().ScrollPos().x, start.x);

  // Both buttons: the grabbed point follows the pointer.
  SendMessageW(image, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(300, 300));
  SendMessageW(image, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(280, 270));
  EXPECT_EQ(form->image_page().ScrollBox().ScrollPos().x, start.x + 20);
  EXPECT_EQ(form->image_page().ScrollBox().ScrollPos().y, start.y + 30);
  SendMessageW(image, WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(280, 270));
  SendMessageW(image, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 200));
  EXPECT_EQ(form->image_page().ScrollBox().ScrollPos().x, start.x + 20);  // the release ended it

  // With Ctrl held as well: no panning.
  SendMessageW(image, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON | MK_CONTROL, MAKELPARAM(300, 300));
  SendMessageW(image, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON | MK_CONTROL, MAKELPARAM(200, 200));
  EXPECT_EQ(form->image_page().ScrollBox().ScrollPos().x, start.x + 20);
  SendMessageW(image, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
}

TEST_F(PictureViewTest, CtrlWheelZoomsPicturesAndTheTextFont) {
  auto form = MakeFormWithView(400, 300);
  Show(*form, Write(L"wheel.bmp", test::PlainBitmapFile(100, 50)));
  EXPECT_TRUE(form->FormMouseWheel(MK_CONTROL, 120));
  EXPECT_EQ(form->image_page().MainImage().zoom_tag, 0);
  form->FormMouseWheel(MK_CONTROL, -120);
  EXPECT_EQ(form->image_page().MainImage().zoom_tag, -1);
  form->FormMouseWheel(0, 120);  // nothing held on a picture: nothing happens
  EXPECT_EQ(form->image_page().MainImage().zoom_tag, -1);

  Show(*form, Write(L"words.txt", "zoom me\r\n"));
  ASSERT_EQ(form->ViewFileType, vfText);
  auto twips = [&] {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    SendMessageW(form->text_page().RichEditURL().hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf.yHeight;
  };
  const LONG set = form->settings().Font.Size() * 20;
  form->actions[CommandId::ZoomUpAction].Execute();
  form->actions[CommandId::ZoomUpAction].Execute();
  EXPECT_EQ(twips(), set + 40);
  form->FormMouseWheel(MK_CONTROL, -120);
  EXPECT_EQ(twips(), set + 20);
}

}  // namespace
}  // namespace zk
