// The picture writers read back through the program's own decoders.
#include <gtest/gtest.h>

#include "image/decoders/jpeg_decoder.h"
#include "image/decoders/png_decoder.h"
#include "image/encoders/picture_writers.h"
#include "support/picture_encoders.h"

namespace zk {
namespace {

using test::CountingSink;

// A 17 x 9 picture whose every pixel differs.
PixelBuffer Gradient() {
  PixelBuffer p(17, 9);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      uint8_t* px = p.Row(y) + 3 * x;
      px[0] = uint8_t(x * 15), px[1] = uint8_t(y * 28), px[2] = uint8_t(255 - x * 7 - y);
    }
  return p;
}

Rgb At(const PixelBuffer& p, int x, int y) {
  const uint8_t* px = p.Row(y) + 3 * x;
  return {px[2], px[1], px[0]};
}

TEST(PictureWriters, PngIsLossless) {
  const PixelBuffer p = Gradient();
  std::optional<FileBytes> png = EncodePngFile(p.View());
  ASSERT_TRUE(png);
  CountingSink sink;
  DecodePng(*png, {0, 0, 0}, sink);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) ASSERT_EQ(sink.At(x, y), At(p, x, y)) << x << "," << y;
}

TEST(PictureWriters, JpegFollowsQualityAndMode) {
  const PixelBuffer p = Gradient();
  std::optional<FileBytes> low = EncodeJpegFile(p.View(), {.quality = 10});
  std::optional<FileBytes> high = EncodeJpegFile(p.View(), {.quality = 100});
  std::optional<FileBytes> progressive = EncodeJpegFile(p.View(), {.quality = 100, .progressive = true});
  ASSERT_TRUE(low && high && progressive);
  EXPECT_LT(low->size(), high->size());
  EXPECT_NE(*high, *progressive);
  CountingSink sink;
  DecodeJpeg(*high, sink);
  ASSERT_EQ(sink.buffer.width, p.width);
  EXPECT_NEAR(sink.At(8, 4).b, At(p, 8, 4).b, 12);
}

TEST(PictureWriters, BitmapIsBottomUp24Bit) {
  const PixelBuffer p = Gradient();
  std::optional<FileBytes> bmp = EncodeBitmapFile(p.View());
  ASSERT_TRUE(bmp);
  ASSERT_EQ(bmp->size(), 54u + 52u * 9u);  // 17 pixels: 51 bytes, padded to 52
  EXPECT_EQ((*bmp)[0], 'B');
  EXPECT_EQ((*bmp)[28], 24);
  // The last row of the file is the top row.
  EXPECT_EQ((*bmp)[54 + 52 * 8 + 3 * 2], p.Row(0)[3 * 2]);
}

TEST(PictureWriters, EmptyPictureWritesNothing) {
  EXPECT_FALSE(EncodeBitmapFile({}));
  EXPECT_FALSE(EncodeJpegFile({}, {}));
  EXPECT_FALSE(EncodePngFile({}));
}

}  // namespace
}  // namespace zk
