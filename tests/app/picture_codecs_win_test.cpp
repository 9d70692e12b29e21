// JPEG, PNG and GIF pictures on the image page of the real window, and
// pictures decoded from memory.
#include <gtest/gtest.h>

#include <png.h>

#include "app/window/main_window.h"
#include "image/picture_loader.h"
#include "support/main_window_fixture.h"
#include "support/message_pump.h"
#include "support/picture_encoders.h"
#include "support/test_files.h"

namespace zk {
namespace {

using PictureCodecTest = test::MainWindowFixture;

// Left half red, right half blue.
test::Bytes HalvesJpeg(int width, int height) {
  test::JpegRecipe recipe{width, height, 3};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool left = x < width / 2;
      recipe.samples.insert(recipe.samples.end(), {uint8_t(left ? 255 : 0), 0, uint8_t(left ? 0 : 255)});
    }
  return test::EncodeJpeg(recipe);
}

bool Near(COLORREF c, int r, int g, int b, int tolerance = 12) {
  return std::abs(GetRValue(c) - r) <= tolerance && std::abs(GetGValue(c) - g) <= tolerance &&
         std::abs(GetBValue(c) - b) <= tolerance;
}

TEST_F(PictureCodecTest, JpegIsShownFittedWithItsSize) {
  auto form = MakeForm();
  Show(*form, Write(L"photo.JPG", HalvesJpeg(64, 32)));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"64 x 32");
  EXPECT_TRUE(Near(CanvasPixel(*form, 8, 16), 255, 0, 0));
  EXPECT_TRUE(Near(CanvasPixel(*form, 56, 16), 0, 0, 255));
  // A PNG named .jpg: the JPEG decoder fails and the content path knows it
  // (the PNG decoder by its signature when no plug-in does).
  test::PngRecipe png{4, 4, PNG_COLOR_TYPE_GRAY, 8};
  png.samples.assign(16, 100);
  Show(*form, Write(L"png-named.jpg", test::EncodePng(png)));
  EXPECT_EQ(form->ViewFileType, vfImage);
}

TEST_F(PictureCodecTest, PngTransparencyShowsTheBackgroundColour) {
  auto form = MakeForm();
  form->image_page().ScrollBox().SetColor(static_cast<Color>(0x00FF00));  // green behind the picture
  test::PngRecipe recipe{10, 10, PNG_COLOR_TYPE_RGB_ALPHA, 8};
  for (int i = 0; i < 100; ++i) recipe.samples.insert(recipe.samples.end(), {255, 0, 0, uint16_t(i % 10 < 5 ? 0 : 255)});
  Show(*form, Write(L"alpha.png", test::EncodePng(recipe)));
  EXPECT_EQ(form->Status(0), u"10 x 10");
  EXPECT_EQ(CanvasPixel(*form, 2, 5), RGB(0, 255, 0));  // transparent: the scroll box colour
  EXPECT_EQ(CanvasPixel(*form, 7, 5), RGB(255, 0, 0));
}

test::Bytes ThreeFrameGif() {
  test::GifRecipe recipe{20, 10, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 0, 0}}, 0};
  for (uint8_t colour = 0; colour < 3; ++colour) {
    test::GifFrameRecipe f{0, 0, 20, 10, std::vector<uint8_t>(200, colour)};
    f.delay = 2;  // 20 ms
    recipe.frames.push_back(f);
  }
  return test::EncodeGif(recipe);
}

TEST_F(PictureCodecTest, AnimatedGifAnimatesUntilTheViewIsCleared) {
  auto form = MakeForm();
  Show(*form, Write(L"anim.gif", ThreeFrameGif()));
  EXPECT_EQ(form->Status(0), u"20 x 10");
  EXPECT_TRUE(form->image_page().MainImage().animating());
  EXPECT_EQ(CanvasPixel(*form, 5, 5), RGB(255, 0, 0));
  // Frames follow each other on the control's timer.
  bool changed = false;
  for (int i = 0; i < 100 && !changed; ++i) {
    Sleep(10);
    test::PumpMessages();
    changed = CanvasPixel(*form, 5, 5) != RGB(255, 0, 0);
  }
  EXPECT_TRUE(changed);
  form->ClearView(true);
  EXPECT_FALSE(form->image_page().MainImage().animating());
  // A still GIF does not animate.
  test::GifRecipe still{4, 4, {{1, 2, 3}, {4, 5, 6}}, -1, {{0, 0, 4, 4, std::vector<uint8_t>(16, 1)}}};
  Show(*form, Write(L"still.gif", test::EncodeGif(still)));
  EXPECT_EQ(form->Status(0), u"4 x 4");
  EXPECT_FALSE(form->image_page().MainImage().animating());
}

TEST_F(PictureCodecTest, BrokenJpegPngAndGifFallThrough) {
  auto form = MakeForm();
  test::Bytes jpeg = HalvesJpeg(32, 32);
  test::PngRecipe recipe{8, 8, PNG_COLOR_TYPE_GRAY, 8};
  recipe.samples.assign(64, 7);
  test::Bytes png = test::EncodePng(recipe);
  test::Bytes gif = ThreeFrameGif();
  // Only headers: nothing to show.
  Show(*form, Write(L"head.jpg", test::Bytes(jpeg.begin(), jpeg.begin() + 20)));
  EXPECT_NE(form->ViewFileType, vfImage);
  Show(*form, Write(L"head.png", test::Bytes(png.begin(), png.begin() + 30)));
  EXPECT_NE(form->ViewFileType, vfImage);
  Show(*form, Write(L"head.gif", test::Bytes(gif.begin(), gif.begin() + 20)));
  EXPECT_NE(form->ViewFileType, vfImage);
}

TEST(BitmapFromMemory, FindsAJpegBehindOtherData) {
  test::Bytes jpeg = HalvesJpeg(16, 8);
  UniqueBitmap bitmap;
  EXPECT_TRUE(BitmapFromMemory(jpeg, bitmap));
  BITMAP bm{};
  GetObjectW(bitmap.get(), sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 16);
  EXPECT_EQ(bm.bmHeight, 8);

  test::Bytes behind(100, 0x20);
  behind.insert(behind.end(), jpeg.begin(), jpeg.end());
  UniqueBitmap second;
  EXPECT_TRUE(BitmapFromMemory(behind, second));

  test::Bytes too_far(300, 0x20);
  too_far.insert(too_far.end(), jpeg.begin(), jpeg.end());
  UniqueBitmap third;
  EXPECT_FALSE(BitmapFromMemory(too_far, third));
  EXPECT_FALSE(BitmapFromMemory({}, third));
}

}  // namespace
}  // namespace zk
