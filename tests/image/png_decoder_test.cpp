// PNG round trips: every colour type and bit depth, plain and interlaced,
// transparency over the background.
#include <gtest/gtest.h>
#include <png.h>

#include "image/decoders/png_decoder.h"
#include "support/picture_encoders.h"

namespace zk {
namespace {

using test::CountingSink;
using test::PngRecipe;

constexpr Rgb kBackground{10, 200, 30};

struct PngCase {
  int color_type, bit_depth;
  const char* name;
};

// A picture of the given format whose pixels vary over the whole sample range,
// beside the colours it must decode to over kBackground.
struct PngPicture {
  PngRecipe recipe;
  std::vector<Rgb> expected;
};

uint8_t Blend(int value, int alpha, int bg) { return uint8_t((value * alpha + bg * (255 - alpha) + 127) / 255); }
Rgb Over(Rgb c, int alpha) {
  return {Blend(c.r, alpha, kBackground.r), Blend(c.g, alpha, kBackground.g), Blend(c.b, alpha, kBackground.b)};
}

PngPicture MakePicture(const PngCase& c, bool interlaced, int width = 13, int height = 11) {
  PngPicture p;
  p.recipe = {.width = width, .height = height, .color_type = c.color_type, .bit_depth = c.bit_depth,
            .interlaced = interlaced};
  const int top = (1 << c.bit_depth) - 1;
  // 8-bit value of a sample: exact for every depth (16-bit values are multiples of 257).
  auto eight = [&](int s) { return c.bit_depth == 16 ? s / 257 : s * 255 / top; };
  auto sample = [&](int v) { return uint16_t(c.bit_depth == 16 ? v * 257 : v * top / 255); };
  if (c.color_type == PNG_COLOR_TYPE_PALETTE) {
    for (int i = 0; i <= top; ++i) p.recipe.palette.push_back({uint8_t(i * 37), uint8_t(255 - i), uint8_t(i * 11)});
    p.recipe.palette_alpha = {255, 0, 128};  // entry 1 transparent, 2 half
    p.recipe.palette_alpha.resize(std::min<size_t>(3, p.recipe.palette.size()));
  }
  // Grey and RGB pictures get a transparent colour: that of pixel (1, 0).
  const int keyed = 41, keyed_w = 7;
  if (c.color_type == PNG_COLOR_TYPE_GRAY) p.recipe.transparent_grey = sample(keyed);
  if (c.color_type == PNG_COLOR_TYPE_RGB) {
    p.recipe.transparent_rgb[0] = sample(keyed);
    p.recipe.transparent_rgb[1] = sample(keyed_w);
    p.recipe.transparent_rgb[2] = sample(255 - keyed);
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int v = (x * 41 + y * 23) % 256, w = (x * 7 + y * 59) % 256, a = (x * 19 + y * 3) % 256;
      switch (c.color_type) {
        case PNG_COLOR_TYPE_GRAY: {
          const uint16_t s = sample(v);
          p.recipe.samples.push_back(s);
          const uint8_t g = uint8_t(eight(s));
          p.expected.push_back(s == p.recipe.transparent_grey ? kBackground : Rgb{g, g, g});
          break;
        }
        case PNG_COLOR_TYPE_GRAY_ALPHA: {
          p.recipe.samples.insert(p.recipe.samples.end(), {sample(v), sample(a)});
          p.expected.push_back(Over({uint8_t(v), uint8_t(v), uint8_t(v)}, a));
          break;
        }
        case PNG_COLOR_TYPE_RGB:
          p.recipe.samples.insert(p.recipe.samples.end(), {sample(v), sample(w), sample(255 - v)});
          p.expected.push_back(v == keyed && w == keyed_w ? kBackground : Rgb{uint8_t(v), uint8_t(w), uint8_t(255 - v)});
          break;
        case PNG_COLOR_TYPE_RGB_ALPHA:
          p.recipe.samples.insert(p.recipe.samples.end(), {sample(v), sample(w), sample(255 - v), sample(a)});
          p.expected.push_back(Over({uint8_t(v), uint8_t(w), uint8_t(255 - v)}, a));
          break;
        case PNG_COLOR_TYPE_PALETTE: {
          const int i = (x + 3 * y) % (top + 1);
          p.recipe.samples.push_back(uint16_t(i));
          const int alpha = size_t(i) < p.recipe.palette_alpha.size() ? p.recipe.palette_alpha[size_t(i)] : 255;
          p.expected.push_back(Over(p.recipe.palette[size_t(i)], alpha));
          break;
        }
      }
    }
  }
  return p;
}

void ExpectDecodesTo(const PngPicture& p, const std::string& what) {
  CountingSink sink;
  DecodePng(test::EncodePng(p.recipe), kBackground, sink);
  ASSERT_EQ(sink.calls, 1) << what;
  ASSERT_EQ(sink.buffer.width, p.recipe.width) << what;
  ASSERT_EQ(sink.buffer.height, p.recipe.height) << what;
  for (int y = 0; y < p.recipe.height; ++y)
    for (int x = 0; x < p.recipe.width; ++x)
      ASSERT_EQ(sink.At(x, y), p.expected[size_t(y * p.recipe.width + x)]) << what << " at " << x << "," << y;
}

// Each with tRNS or an alpha channel, as the type allows.
TEST(PngDecoder, EveryColourTypeAndDepthPlainAndInterlaced) {
  const PngCase cases[] = {
      {PNG_COLOR_TYPE_GRAY, 1, "grey 1"},          {PNG_COLOR_TYPE_GRAY, 2, "grey 2"},
      {PNG_COLOR_TYPE_GRAY, 4, "grey 4"},          {PNG_COLOR_TYPE_GRAY, 8, "grey 8"},
      {PNG_COLOR_TYPE_GRAY, 16, "grey 16"},        {PNG_COLOR_TYPE_GRAY_ALPHA, 8, "grey+alpha 8"},
      {PNG_COLOR_TYPE_GRAY_ALPHA, 16, "grey+alpha 16"}, {PNG_COLOR_TYPE_RGB, 8, "rgb 8"},
      {PNG_COLOR_TYPE_RGB, 16, "rgb 16"},          {PNG_COLOR_TYPE_RGB_ALPHA, 8, "rgba 8"},
      {PNG_COLOR_TYPE_RGB_ALPHA, 16, "rgba 16"},   {PNG_COLOR_TYPE_PALETTE, 1, "palette 1"},
      {PNG_COLOR_TYPE_PALETTE, 2, "palette 2"},    {PNG_COLOR_TYPE_PALETTE, 4, "palette 4"},
      {PNG_COLOR_TYPE_PALETTE, 8, "palette 8"},
  };
  for (const PngCase& c : cases) {
    for (bool interlaced : {false, true}) {
      const std::string what = std::string(c.name) + (interlaced ? " interlaced" : "");
      ExpectDecodesTo(MakePicture(c, interlaced), what);
      // Narrow pictures leave some interlace passes empty.
      ExpectDecodesTo(MakePicture(c, interlaced, 1, 3), what + " 1x3");
    }
  }
}

TEST(PngDecoder, HalfTransparentRedOverWhite) {
  PngRecipe recipe{.width = 1, .height = 1, .color_type = PNG_COLOR_TYPE_RGB_ALPHA, .bit_depth = 8,
               .samples = {255, 0, 0, 128}};
  CountingSink sink;
  DecodePng(test::EncodePng(recipe), Rgb{255, 255, 255}, sink);
  const Rgb c = sink.At(0, 0);
  EXPECT_EQ(c.r, 255);
  EXPECT_GE(c.g, 127);
  EXPECT_LE(c.g, 128);
  EXPECT_EQ(c.g, c.b);
}

TEST(PngDecoder, TruncatedImageDataKeepsTheRowsThatDecoded) {
  PngRecipe recipe{.width = 64, .height = 64, .color_type = PNG_COLOR_TYPE_GRAY, .bit_depth = 8};
  uint32_t seed = 1;  // incompressible rows, so the data is spread over the file
  for (int i = 0; i < 64 * 64; ++i) recipe.samples.push_back(uint16_t((seed = seed * 1103515245 + 12345) >> 24));
  test::Bytes file = test::EncodePng(recipe);
  file.resize(file.size() / 2);
  CountingSink sink;
  DecodePng(file, kBackground, sink);
  EXPECT_EQ(sink.At(5, 0).r, recipe.samples[5]);
  EXPECT_EQ(sink.At(63, 63), kBackground);
}

}  // namespace
}  // namespace zk
