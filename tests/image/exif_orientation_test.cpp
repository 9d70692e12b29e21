#include "image/exif_orientation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zk {
namespace {

// A JPEG's start with an APP1 Exif segment whose IFD0 holds `entries`
// (tag, type, count, value) in the byte order `order` ("II" or "MM").
std::vector<uint8_t> JpegWithExif(const char* order, const std::vector<std::vector<uint32_t>>& entries) {
  const bool little = order[0] == 'I';
  std::vector<uint8_t> tiff{uint8_t(order[0]), uint8_t(order[1])};
  auto put = [&](uint32_t v, int bytes) {
    for (int k = 0; k < bytes; ++k) tiff.push_back(uint8_t(v >> (8 * (little ? k : bytes - 1 - k))));
  };
  put(42, 2);
  put(8, 4);
  put(static_cast<uint32_t>(entries.size()), 2);
  for (const auto& e : entries) {
    put(e[0], 2);
    put(e[1], 2);
    put(e[2], 4);
    put(e[3], 2);
    put(0, 2);
  }
  put(0, 4);
  std::vector<uint8_t> jpeg{0xFF, 0xD8, 0xFF, 0xE1};
  const size_t length = tiff.size() + 8;
  jpeg.insert(jpeg.end(), {uint8_t(length >> 8), uint8_t(length), 'E', 'x', 'i', 'f', 0, 0});
  jpeg.insert(jpeg.end(), tiff.begin(), tiff.end());
  jpeg.insert(jpeg.end(), {0xFF, 0xDA, 0, 2});
  return jpeg;
}

TEST(ExifOrientation, ReadFromTheExifSegmentOrOneWhenMissingOrDamaged) {
  EXPECT_EQ(JpegExifOrientation(JpegWithExif("II", {{271, 2, 1, 0}, {274, 3, 1, 6}})), 6);
  EXPECT_EQ(JpegExifOrientation(JpegWithExif("MM", {{274, 3, 1, 8}})), 8);
  EXPECT_EQ(JpegExifOrientation(JpegWithExif("II", {{274, 3, 1, 9}})), 1);  // no such orientation
  EXPECT_EQ(JpegExifOrientation(JpegWithExif("II", {{274, 4, 1, 6}})), 1);  // not a SHORT
  EXPECT_EQ(JpegExifOrientation(JpegWithExif("II", {{271, 2, 1, 0}})), 1);
  std::vector<uint8_t> cut = JpegWithExif("II", {{274, 3, 1, 6}});
  cut.resize(20);
  EXPECT_EQ(JpegExifOrientation(cut), 1);
  EXPECT_EQ(JpegExifOrientation(std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xDA, 0, 2}), 1);
}

// A 3 x 2 picture whose pixels are numbered 1..6 row by row; each
// orientation's upright picture, as the numbers read row by row.
TEST(ExifOrientation, EachOrientationTurnsThePixelsUpright) {
  const std::vector<uint8_t> stored = {1, 0, 0, 2, 0, 0, 3, 0, 0, 4, 0, 0, 5, 0, 0, 6, 0, 0};
  const PixelView view{stored.data(), 3, 2, 9, 3};
  const std::vector<int> kUpright[9] = {{},
                                        {1, 2, 3, 4, 5, 6}, {3, 2, 1, 6, 5, 4}, {6, 5, 4, 3, 2, 1},
                                        {4, 5, 6, 1, 2, 3}, {1, 4, 2, 5, 3, 6}, {4, 1, 5, 2, 6, 3},
                                        {6, 3, 5, 2, 4, 1}, {3, 6, 2, 5, 1, 4}};
  for (int o = 1; o <= 8; ++o) {
    const int width = OrientationSwapsSides(o) ? 2 : 3;
    std::vector<uint8_t> out(18);
    OrientPixels(view, o, out.data(), width * 3);
    std::vector<int> got;
    for (size_t i = 0; i < out.size(); i += 3) got.push_back(out[i]);
    EXPECT_EQ(got, kUpright[o]) << "orientation " << o;
  }
}

}  // namespace
}  // namespace zk
