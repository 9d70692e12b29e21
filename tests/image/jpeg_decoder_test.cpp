// JPEG round trips in every colour space the decoder takes, and a file that
// ends early.
#include <gtest/gtest.h>

#include <cstdlib>

#include "image/decoders/jpeg_decoder.h"
#include "support/picture_encoders.h"

namespace zk {
namespace {

using test::CountingSink;
using test::JpegRecipe;

// Flat 8 x 8 blocks survive quality 100 almost exactly.
constexpr int kTolerance = 3;

void ExpectNear(Rgb got, Rgb want, const std::string& what) {
  EXPECT_LE(std::abs(got.r - want.r), kTolerance) << what;
  EXPECT_LE(std::abs(got.g - want.g), kTolerance) << what;
  EXPECT_LE(std::abs(got.b - want.b), kTolerance) << what;
}

// A 16 x 16 picture of four flat blocks, given as components per pixel.
JpegRecipe FourBlocks(int components, const uint8_t (&blocks)[4][4]) {
  JpegRecipe recipe{.width = 16, .height = 16, .components = components};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      for (int c = 0; c < components; ++c) recipe.samples.push_back(blocks[(y / 8) * 2 + x / 8][c]);
  return recipe;
}

Rgb DecodedAt(const test::Bytes& file, int x, int y) {
  CountingSink sink;
  DecodeJpeg(file, sink);
  EXPECT_EQ(sink.calls, 1);
  EXPECT_EQ(sink.buffer.width, 16);
  return sink.At(x, y);
}

TEST(JpegDecoder, ColourGreyAndProgressive) {
  const uint8_t rgb[4][4] = {{200, 30, 90}, {10, 250, 120}, {0, 0, 0}, {255, 255, 255}};
  for (bool progressive : {false, true}) {
    JpegRecipe recipe = FourBlocks(3, rgb);
    recipe.progressive = progressive;
    const test::Bytes file = test::EncodeJpeg(recipe);
    for (int b = 0; b < 4; ++b)
      ExpectNear(DecodedAt(file, (b % 2) * 8 + 3, (b / 2) * 8 + 4), {rgb[b][0], rgb[b][1], rgb[b][2]}, "colour");
  }
  const uint8_t grey[4][4] = {{0}, {77}, {180}, {255}};
  const test::Bytes file = test::EncodeJpeg(FourBlocks(1, grey));
  for (int b = 0; b < 4; ++b)
    ExpectNear(DecodedAt(file, (b % 2) * 8 + 2, (b / 2) * 8 + 5), {grey[b][0], grey[b][0], grey[b][0]}, "grey");
}

TEST(JpegDecoder, AdobeCmykAndYcckAreInvertedInk) {
  // Adobe software stores ink inverted: 255 is no ink. No black ink and
  // (200, 100, 50) cyan, magenta, yellow "paper" give that colour; half the
  // black darkens it by half.
  const uint8_t cmyk[4][4] = {{200, 100, 50, 255}, {200, 100, 50, 128}, {255, 255, 255, 0}, {0, 255, 255, 255}};
  const Rgb want[4] = {{200, 100, 50}, {100, 50, 25}, {0, 0, 0}, {0, 255, 255}};
  for (bool ycck : {false, true}) {
    JpegRecipe recipe = FourBlocks(4, cmyk);
    recipe.ycck = ycck;
    const test::Bytes file = test::EncodeJpeg(recipe);
    for (int b = 0; b < 4; ++b)
      ExpectNear(DecodedAt(file, (b % 2) * 8 + 4, (b / 2) * 8 + 4), want[b], ycck ? "YCCK" : "CMYK");
  }
}

TEST(JpegDecoder, FileEndingEarlyShowsTheTopAndGreyBelow) {
  JpegRecipe recipe{.width = 64, .height = 64, .components = 3, .quality = 90};
  for (int i = 0; i < 64 * 64; ++i) recipe.samples.insert(recipe.samples.end(), {uint8_t(i * 7), uint8_t(i / 64 * 3), 40});
  test::Bytes file = test::EncodeJpeg(recipe);
  file.resize(file.size() / 2);
  CountingSink sink;
  DecodeJpeg(file, sink);
  ASSERT_EQ(sink.calls, 1);
  EXPECT_NEAR(sink.At(0, 0).b, 40, 8);
  EXPECT_EQ(sink.At(63, 63), (Rgb{128, 128, 128}));
}

}  // namespace
}  // namespace zk
