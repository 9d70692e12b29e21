#include "image/decoders/avif_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/decoders/decode_error.h"
#include "image/decoders/png_decoder.h"
#include "image/exif_orientation.h"

namespace zk {
namespace {

// Pictures made by avifenc beside their sources (tests/image/make_avif.sh).
std::vector<uint8_t> Made(const std::string& name) {
  std::ifstream in(std::string(ZARVIK_MADE_AVIF) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

PixelBuffer Png(const std::string& name, Rgb background) {
  BufferPixelSink sink;
  DecodePng(Made(name + ".png"), background, sink);
  return std::move(sink.buffer);
}

double MeanDifference(const PixelBuffer& a, const PixelBuffer& b) {
  double sum = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width * 3; ++x) sum += std::abs(a.Row(y)[x] - b.Row(y)[x]);
  return sum / (a.width * 3.0 * a.height);
}

TEST(AvifDecoder, EachCodingDecodesCloseToItsSource) {
  const Rgb background{40, 80, 120};
  const struct {
    const char* name;
    double tolerance;  // mean difference per channel, out of 255
  } rows[] = {{"yuv420", 2}, {"limited", 2}, {"yuv444", 0.5}, {"yuv422", 0.5}, {"mono", 0.5},
              {"alpha", 0.5}, {"premultiplied", 1}, {"grid", 1}, {"sequence", 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    BufferPixelSink sink;
    EXPECT_EQ(DecodeAvif(Made(std::string(row.name) + ".avif"), background, sink), 1);
    const PixelBuffer source = Png(row.name, background);
    ASSERT_EQ(sink.buffer.width, source.width);
    ASSERT_EQ(sink.buffer.height, source.height);
    EXPECT_LE(MeanDifference(sink.buffer, source), row.tolerance);
  }
  // The sequence's first frame from its track alone, its still item hidden.
  std::vector<uint8_t> track_only = Made("sequence.avif");
  const auto meta = std::search(track_only.begin(), track_only.end(), std::begin("meta"), std::end("meta") - 1);
  ASSERT_NE(meta, track_only.end());
  std::memcpy(&*meta, "free", 4);
  BufferPixelSink sink;
  DecodeAvif(track_only, background, sink);
  EXPECT_LE(MeanDifference(sink.buffer, Png("sequence", background)), 1);
}

// Lossless pictures with every irot/imir, against ImageMagick's own turn.
TEST(AvifDecoder, TurnsAndMirrorsShowAsImageMagickTurnsThem) {
  for (const char* turns : {"0", "1", "2", "3"}) {
    for (const char* mirror : {"none", "0", "1"}) {
      const std::string name = std::string("turn") + turns + "-" + mirror;
      SCOPED_TRACE(name);
      BufferPixelSink sink;
      const int orientation = DecodeAvif(Made(name + ".avif"), {}, sink);
      const bool swap = OrientationSwapsSides(orientation);
      PixelBuffer upright(swap ? sink.buffer.height : sink.buffer.width, swap ? sink.buffer.width : sink.buffer.height);
      OrientPixels(sink.buffer.View(), orientation, upright.bytes.data(), upright.stride);
      const PixelBuffer expected = Png(name, {});
      ASSERT_EQ(upright.width, expected.width);
      EXPECT_EQ(upright.bytes, expected.bytes);
    }
  }
}

class NoPixelsSink final : public PixelSink {
 public:
  PixelTarget Allocate(int, int) override {
    ADD_FAILURE() << "asked for pixels";
    throw std::bad_alloc();
  }
};

TEST(AvifDecoder, RefusesDamageAndSizesTheFileCannotHold) {
  const std::vector<uint8_t> file = Made("yuv420.avif");
  ASSERT_GT(file.size(), 100u);
  // 20000 x 20000 claimed by a file of a few hundred bytes.
  std::vector<uint8_t> claim = file;
  const auto ispe = std::search(claim.begin(), claim.end(), std::begin("ispe"), std::end("ispe") - 1);
  ASSERT_NE(ispe, claim.end());
  const uint8_t huge[8] = {0, 0, 0x4E, 0x20, 0, 0, 0x4E, 0x20};
  std::memcpy(&*ispe + 8, huge, sizeof huge);
  NoPixelsSink none;
  EXPECT_THROW(DecodeAvif(claim, {}, none), PictureDecodeError);
  for (size_t cut : {size_t{20}, file.size() / 2, file.size() - 1}) {
    BufferPixelSink sink;
    EXPECT_THROW(DecodeAvif(std::span(file).first(cut), {}, sink), PictureDecodeError) << cut;
  }
}

}  // namespace
}  // namespace zk
