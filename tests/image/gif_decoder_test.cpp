// GIF frames composed as an animation: disposal, transparency, clipping,
// timing and looping, and files whose later frames are damaged.
#include <gtest/gtest.h>

#include "image/decoders/decode_error.h"
#include "image/decoders/gif_decoder.h"
#include "support/picture_encoders.h"

namespace zk {
namespace {

using test::CountingSink;
using test::GifFrameRecipe;
using test::GifRecipe;

constexpr Rgb kBg{10, 20, 30};
constexpr Rgb R{255, 0, 0}, G{0, 255, 0}, B{0, 0, 255}, W{255, 255, 255};

GifFrameRecipe Solid(int left, int top, int w, int h, uint8_t index) {
  return {.left = left, .top = top, .width = w, .height = h, .indices = std::vector<uint8_t>(size_t(w * h), index)};
}

// Renders the next frame and gives the screen as rows of colours.
std::vector<std::vector<Rgb>> Next(GifAnimation& a, int* delay = nullptr) {
  CountingSink sink;
  const int d = a.RenderNext(sink.Allocate(a.width(), a.height()));
  if (delay) *delay = d;
  std::vector<std::vector<Rgb>> rows(size_t(a.height()));
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) rows[size_t(y)].push_back(sink.At(x, y));
  return rows;
}

// Four frames on a 4 x 4 screen with the palette red, green, blue, white.
GifRecipe Disposals() {
  GifRecipe recipe{.width = 4, .height = 4, .global_colours = {R, G, B, W}, .loops = 0};
  GifFrameRecipe red = Solid(0, 0, 4, 4, 0);
  red.disposal = 1;  // keep
  GifFrameRecipe green = Solid(1, 1, 2, 2, 1);
  green.indices[0] = 3;  // white, but transparent
  green.transparent = 3;
  green.disposal = 3;  // back to the previous picture
  green.delay = 5;
  GifFrameRecipe blue = Solid(2, 0, 2, 2, 2);
  blue.disposal = 2;  // back to the background
  blue.delay = 1;
  GifFrameRecipe dot = Solid(0, 3, 1, 1, 1);
  dot.control = false;
  recipe.frames = {red, green, blue, dot};
  return recipe;
}

TEST(GifAnimation, DisposalTransparencyAndDelays) {
  const test::Bytes file = test::EncodeGif(Disposals());
  GifAnimation a(file, kBg);
  ASSERT_EQ(a.frame_count(), 4);
  EXPECT_EQ(a.width(), 4);
  EXPECT_EQ(a.loop_count(), 0);
  using Screen = std::vector<std::vector<Rgb>>;
  const Screen all_red(4, std::vector<Rgb>(4, R));
  int delay = 0;
  EXPECT_EQ(Next(a, &delay), all_red);
  EXPECT_EQ(delay, 100);  // 0 in the file
  EXPECT_EQ(Next(a, &delay), (Screen{{R, R, R, R}, {R, R, G, R}, {R, G, G, R}, {R, R, R, R}}));
  EXPECT_EQ(delay, 50);
  EXPECT_EQ(Next(a, &delay), (Screen{{R, R, B, B}, {R, R, B, B}, {R, R, R, R}, {R, R, R, R}}));
  EXPECT_EQ(delay, 100);  // 1 in the file
  EXPECT_EQ(Next(a, &delay), (Screen{{R, R, kBg, kBg}, {R, R, kBg, kBg}, {R, R, R, R}, {G, R, R, R}}));
  EXPECT_EQ(delay, 100);  // no control extension
  EXPECT_EQ(a.next_frame(), 0);
  EXPECT_EQ(Next(a), all_red);

  CountingSink still;
  DecodeGifFirstFrame(file, kBg, still);
  EXPECT_EQ(still.calls, 1);
  EXPECT_EQ(still.At(3, 3), R);
}

TEST(GifAnimation, LoopCountCountsShowings) {
  GifRecipe recipe{.width = 1, .height = 1, .global_colours = {R, G}, .frames = {Solid(0, 0, 1, 1, 0)}};
  const test::Bytes once = test::EncodeGif(recipe);
  EXPECT_EQ(GifAnimation(once, kBg).loop_count(), 1);
  recipe.loops = 2;
  const test::Bytes three_times = test::EncodeGif(recipe);
  EXPECT_EQ(GifAnimation(three_times, kBg).loop_count(), 3);
}

TEST(GifAnimation, FramesOutsideTheScreenAreClippedAndLocalColoursUsed) {
  GifRecipe recipe{.width = 3, .height = 2, .global_colours = {R, G}};
  GifFrameRecipe corner = Solid(2, 1, 3, 3, 1);
  corner.local_colours = {W, B};
  recipe.frames = {Solid(0, 0, 3, 2, 0), corner, Solid(100, 100, 2, 2, 1)};
  test::Bytes file = test::EncodeGif(recipe);
  GifAnimation a(file, kBg);
  ASSERT_EQ(a.frame_count(), 3);
  Next(a);
  using Screen = std::vector<std::vector<Rgb>>;
  EXPECT_EQ(Next(a), (Screen{{R, R, R}, {R, R, B}}));
  EXPECT_EQ(Next(a), (Screen{{R, R, R}, {R, R, B}}));
}

TEST(GifAnimation, InterlacedFrameRowsLandInPlace) {
  GifRecipe recipe{.width = 2, .height = 11, .global_colours = {R, G, B, W}};
  GifFrameRecipe f{.width = 2, .height = 11, .interlaced = true};
  for (int y = 0; y < 11; ++y) f.indices.insert(f.indices.end(), 2, uint8_t(y % 4));
  recipe.frames = {f};
  const test::Bytes file = test::EncodeGif(recipe);
  GifAnimation a(file, kBg);
  const auto screen = Next(a);
  const Rgb colours[4] = {R, G, B, W};
  for (int y = 0; y < 11; ++y) EXPECT_EQ(screen[size_t(y)][1], colours[y % 4]) << y;
}

TEST(GifAnimation, WithoutColourTableAGreyRamp) {
  GifRecipe recipe{.width = 2, .height = 1, .global_colours = {R, G}};
  GifFrameRecipe f = Solid(0, 0, 2, 1, 0);
  f.indices[1] = 1;
  f.control = false;
  recipe.frames = {f};
  test::Bytes file = test::EncodeGif(recipe);
  // Drop the global table: its flag in the screen descriptor and its 2 entries.
  file[10] &= 0x7F;
  file.erase(file.begin() + 13, file.begin() + 19);
  GifAnimation a(file, kBg);
  EXPECT_EQ(Next(a), (std::vector<std::vector<Rgb>>{{{0, 0, 0}, {255, 255, 255}}}));
}

TEST(GifAnimation, ScreenOfZeroTakesTheFirstFrame) {
  GifRecipe recipe{.width = 0, .height = 0, .global_colours = {R, G}, .frames = {Solid(1, 2, 3, 4, 1)}};
  const test::Bytes file = test::EncodeGif(recipe);
  GifAnimation a(file, kBg);
  EXPECT_EQ(a.width(), 4);
  EXPECT_EQ(a.height(), 6);
  const auto screen = Next(a);
  EXPECT_EQ(screen[0][0], kBg);
  EXPECT_EQ(screen[5][3], G);
}

TEST(GifAnimation, DamagedLaterFrameKeepsTheCompleteOnes) {
  GifRecipe three = Disposals();
  three.frames.pop_back();
  // The files agree up to the fourth frame; cut just after its descriptor.
  const size_t fourth_at = test::EncodeGif(three).size() - 1;
  const test::Bytes file = test::EncodeGif(Disposals());
  EXPECT_EQ(GifAnimation(test::Prefix(file, fourth_at + 12), kBg).frame_count(), 3);
  // Without the trailer, all frames.
  EXPECT_EQ(GifAnimation(test::Prefix(file, file.size() - 1), kBg).frame_count(), 4);

  GifRecipe single{.width = 64, .height = 64, .global_colours = {R, G, B, W}};
  GifFrameRecipe noise = Solid(0, 0, 64, 64, 0);
  uint32_t seed = 7;  // noise, so the data spans several blocks
  for (uint8_t& i : noise.indices) i = uint8_t((seed = seed * 1103515245 + 12345) >> 30);
  single.frames = {noise};
  const test::Bytes one = test::EncodeGif(single);
  // A lone frame cut in half still shows its top.
  GifAnimation half(test::Prefix(one, one.size() / 2), kBg);
  const Rgb colours[4] = {R, G, B, W};
  const auto screen = Next(half);
  for (int x = 0; x < 64; ++x) EXPECT_EQ(screen[0][size_t(x)], colours[noise.indices[size_t(x)]]);
  EXPECT_EQ(screen[63][0], kBg);
  // Cut before any pixel data: nothing to show.
  EXPECT_THROW(GifAnimation(test::Prefix(one, 38), kBg), PictureDecodeError);
}

}  // namespace
}  // namespace zk
