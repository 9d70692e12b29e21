#include "base/dpi_sizes.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(DpiSizesTest, ScalesDesignedLengthsToTheDpi) {
  struct Case {
    int length, dpi, expected;
  } cases[] = {
      {854, 96, 854}, {854, 192, 1708}, {42, 120, 53}, {42, 144, 63}, {250, 168, 438},
      {-11, 96, -11}, {-11, 120, -14}, {-11, 144, -17}, {-11, 192, -22},  // font heights
      {40, 0, 40},    {40, -5, 40},     {0, 192, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScaleForDpi(c.length, c.dpi), c.expected) << c.length << " at " << c.dpi;
    // Back at 96 DPI the length is again what it was designed as.
    if (c.dpi >= 96) {
      EXPECT_EQ(UnscaleFromDpi(c.expected, c.dpi), c.length) << c.length << " at " << c.dpi;
    }
  }
}

TEST(DpiSizesTest, TakesTheLargestPictureSizeNotAboveTheScaledSize) {
  struct Case {
    int design, dpi, expected;
  } cases[] = {
      // toolbar pictures (32 at 100%)
      {32, 96, 32}, {32, 120, 40}, {32, 144, 48}, {32, 168, 48}, {32, 192, 64}, {32, 288, 64},
      // menu pictures (16 at 100%)
      {16, 96, 16}, {16, 120, 20}, {16, 144, 24}, {16, 168, 24}, {16, 192, 32}, {16, 240, 40}, {16, 288, 48},
      // below the smallest size: the smallest
      {16, 72, 16}, {8, 96, 16},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PictureSizeForDpi(c.design, c.dpi), c.expected) << c.design << " at " << c.dpi;
}

}  // namespace
}  // namespace zk
