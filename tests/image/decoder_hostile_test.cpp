// Damaged and lying picture files: the decoders throw PictureDecodeError or
// show a part, never crash, and never ask for rows the file cannot justify.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <functional>
#include <random>

#include "image/decoders/decode_error.h"
#include "image/decoders/gif_decoder.h"
#include "image/decoders/jpeg_decoder.h"
#include "image/decoders/png_decoder.h"
#include "support/picture_encoders.h"

namespace zk {
namespace {

using test::Bytes;
using test::CountingSink;

constexpr Rgb kBg{1, 2, 3};

// Decodes `file` as its format; false when the decoder refused it.
using Decode = std::function<bool(std::span<const uint8_t>)>;

bool Refused(const std::function<void()>& decode) {
  try {
    decode();
    return false;
  } catch (const PictureDecodeError& e) {
    EXPECT_NE(std::string(e.what()), "");
    return true;
  }
}

bool DecodeAsJpeg(std::span<const uint8_t> file) {
  CountingSink sink;
  const bool refused = Refused([&] { DecodeJpeg(file, sink); });
  EXPECT_LE(sink.calls, 1);
  return !refused;
}

bool DecodeAsPng(std::span<const uint8_t> file) {
  CountingSink sink;
  const bool refused = Refused([&] { DecodePng(file, kBg, sink); });
  EXPECT_LE(sink.calls, 1);
  return !refused;
}

// Both ways in: the still first frame and every frame of the animation.
bool DecodeAsGif(std::span<const uint8_t> file) {
  CountingSink sink;
  Refused([&] { DecodeGifFirstFrame(file, kBg, sink); });
  EXPECT_LE(sink.calls, 1);
  return !Refused([&] {
    GifAnimation a(file, kBg);
    PixelBuffer screen(a.width(), a.height());
    for (int i = 0; i <= a.frame_count(); ++i) a.RenderNext({screen.bytes.data(), screen.stride});
  });
}

struct Sample {
  const char* name;
  Bytes file;
  Decode decode;
};

std::vector<Sample> Samples() {
  test::JpegRecipe jpeg{.width = 24, .height = 16, .components = 3, .quality = 80};
  for (int i = 0; i < 24 * 16; ++i) jpeg.samples.insert(jpeg.samples.end(), {uint8_t(i), uint8_t(i * 3), uint8_t(i * 5)});
  test::JpegRecipe progressive = jpeg;
  progressive.progressive = true;
  test::JpegRecipe cmyk{.width = 8, .height = 8, .components = 4, .samples = std::vector<uint8_t>(256, 99), .ycck = true};

  test::PngRecipe png{.width = 9, .height = 7, .color_type = PNG_COLOR_TYPE_RGB_ALPHA, .bit_depth = 16, .interlaced = true};
  for (int i = 0; i < 9 * 7 * 4; ++i) png.samples.push_back(uint16_t(i * 1009));
  test::PngRecipe palette{.width = 11, .height = 5, .color_type = PNG_COLOR_TYPE_PALETTE, .bit_depth = 4,
                        .palette = std::vector<Rgb>(16, Rgb{9, 8, 7}), .palette_alpha = {0, 128}};
  for (int i = 0; i < 11 * 5; ++i) palette.samples.push_back(uint16_t(i % 16));

  test::GifRecipe gif{.width = 6, .height = 5, .global_colours = {{1, 1, 1}, {2, 2, 2}}, .loops = 3};
  for (int f = 0; f < 3; ++f) {
    test::GifFrameRecipe frame{.left = f, .top = f % 2, .width = 4, .height = 4, .interlaced = f == 1,
                             .disposal = f + 1, .delay = f, .transparent = f == 2 ? 1 : -1};
    for (int i = 0; i < 16; ++i) frame.indices.push_back(uint8_t((i + f) % 2));
    if (f == 1) frame.local_colours = {{5, 5, 5}, {6, 6, 6}, {7, 7, 7}, {8, 8, 8}};
    gif.frames.push_back(frame);
  }
  return {{"jpeg", test::EncodeJpeg(jpeg), DecodeAsJpeg},
          {"progressive jpeg", test::EncodeJpeg(progressive), DecodeAsJpeg},
          {"ycck jpeg", test::EncodeJpeg(cmyk), DecodeAsJpeg},
          {"interlaced png", test::EncodePng(png), DecodeAsPng},
          {"palette png", test::EncodePng(palette), DecodeAsPng},
          {"gif", test::EncodeGif(gif), DecodeAsGif}};
}

TEST(DecoderHostile, EveryTruncation) {
  for (const Sample& s : Samples()) {
    ASSERT_TRUE(s.decode(s.file)) << s.name;
    int decoded = 0;
    for (size_t n = 0; n < s.file.size(); ++n) decoded += s.decode(test::Prefix(s.file, n));
    // Files missing only their last bytes still show.
    EXPECT_GT(decoded, 0) << s.name;
  }
}

TEST(DecoderHostile, RandomByteChanges) {
  std::mt19937 rng(20240611);
  for (const Sample& s : Samples()) {
    for (int round = 0; round < 300; ++round) {
      Bytes damaged = s.file;
      const int changes = 1 + int(rng() % 4);
      for (int i = 0; i < changes; ++i) damaged[rng() % damaged.size()] = uint8_t(rng());
      s.decode(damaged);
    }
  }
}

void PutBigEndian16(Bytes& b, size_t at, unsigned v) {
  b[at] = uint8_t(v >> 8);
  b[at + 1] = uint8_t(v);
}

TEST(DecoderHostile, GiantSizesInTinyFilesAreRefusedBeforeAnyRows) {
  std::vector<Sample> samples = Samples();
  Bytes& jpeg = samples[0].file;
  size_t sof = 2;
  while (!(jpeg[sof] == 0xFF && jpeg[sof + 1] == 0xC0)) ++sof;
  PutBigEndian16(jpeg, sof + 5, 65500);  // the library's own limit
  PutBigEndian16(jpeg, sof + 7, 65500);
  Bytes& png = samples[4].file;
  PutBigEndian16(png, 18, 65535);  // IHDR width and height, then a fresh CRC
  PutBigEndian16(png, 22, 65535);
  const uLong crc = crc32(0, png.data() + 12, 17);
  for (int i = 0; i < 4; ++i) png[29 + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
  Bytes& gif = samples[5].file;
  gif[6] = gif[7] = gif[8] = gif[9] = 0xFF;
  // A dot on a giant screen, and a giant frame on a small screen.
  const std::vector<Rgb> colours = {{0, 0, 0}, {9, 9, 9}};
  Bytes dot = test::EncodeGif({.width = 65535, .height = 65535, .global_colours = colours,
                                     .frames = {{.width = 1, .height = 1, .indices = {1}, .control = false}}});
  Bytes giant = test::EncodeGif({.width = 2, .height = 2, .global_colours = colours,
                                 .frames = {{.width = 1, .height = 1, .indices = {1}, .control = false}}});
  const size_t desc = 13 + 6;  // after the signature, the screen and 2 colours
  ASSERT_EQ(giant[desc], ',');
  giant[desc + 5] = giant[desc + 6] = giant[desc + 7] = giant[desc + 8] = 0xFF;

  CountingSink sink;
  EXPECT_THROW(DecodeJpeg(jpeg, sink), PictureDecodeError);
  EXPECT_THROW(DecodePng(png, kBg, sink), PictureDecodeError);
  for (Bytes* file : {&gif, &dot, &giant}) {
    EXPECT_THROW(DecodeGifFirstFrame(*file, kBg, sink), PictureDecodeError);
    EXPECT_THROW(GifAnimation(*file, kBg), PictureDecodeError);
  }
  EXPECT_EQ(sink.calls, 0);
}

TEST(DecoderHostile, OnePixelWideAndThirtyThousandHigh) {
  constexpr int kHigh = 30000;
  test::JpegRecipe jpeg{.width = 1, .height = kHigh, .components = 1, .samples = std::vector<uint8_t>(kHigh, 200)};
  test::PngRecipe png{.width = 1, .height = kHigh, .color_type = PNG_COLOR_TYPE_GRAY, .bit_depth = 8,
                    .interlaced = true, .samples = std::vector<uint16_t>(kHigh, 200)};
  test::GifRecipe gif{.width = 1, .height = kHigh, .global_colours = {{0, 0, 0}, {200, 200, 200}},
                    .frames = {{.width = 1, .height = kHigh, .indices = std::vector<uint8_t>(kHigh, 1)}}};
  CountingSink a, b, c;
  DecodeJpeg(test::EncodeJpeg(jpeg), a);
  DecodePng(test::EncodePng(png), kBg, b);
  DecodeGifFirstFrame(test::EncodeGif(gif), kBg, c);
  for (const CountingSink* s : {&a, &b, &c}) {
    ASSERT_EQ(s->buffer.width, 1);
    ASSERT_EQ(s->buffer.height, kHigh);
    EXPECT_NEAR(s->At(0, kHigh - 1).g, 200, 2);
  }
}

}  // namespace
}  // namespace zk
