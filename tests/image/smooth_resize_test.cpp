#include "image/smooth_resize.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "image/smooth_resize_detail.h"
#include "image/smooth_resize_reference.h"

namespace zk {
namespace {

PixelBuffer Grey(int w, int h, std::initializer_list<uint8_t> levels) {
  PixelBuffer p(w, h);
  auto it = levels.begin();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x, ++it) {
      for (int ch = 0; ch < 3; ++ch) p.Row(y)[3 * x + ch] = *it;
    }
  }
  return p;
}

std::vector<uint8_t> Blues(const PixelBuffer& p) {
  std::vector<uint8_t> v;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) v.push_back(p.Row(y)[3 * x]);
  }
  return v;
}

// Smooth gradients, hard edges and noise, so that sums land everywhere
// between the rounding boundaries, including exactly on them.
PixelBuffer TestPicture(int w, int h, uint32_t seed) {
  std::mt19937 rng(seed);
  PixelBuffer p(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* px = p.Row(y) + 3 * x;
      px[0] = static_cast<uint8_t>(rng());
      px[1] = static_cast<uint8_t>((x * 255) / std::max(1, w - 1));
      px[2] = ((x / 3 + y / 2) % 2) ? 255 : 0;
    }
  }
  return p;
}

void ExpectSameBytes(const PixelBuffer& a, const PixelBuffer& b) {
  ASSERT_EQ(a.width, b.width);
  ASSERT_EQ(a.height, b.height);
  for (int y = 0; y < a.height; ++y) {
    for (int i = 0; i < 3 * a.width; ++i) {
      ASSERT_EQ(a.Row(y)[i], b.Row(y)[i]) << "row " << y << " byte " << i;
    }
  }
}

TEST(SmoothResize, WorkedExamples) {
  const PixelBuffer two = Grey(2, 1, {0, 255});
  EXPECT_EQ(Blues(SmoothResize(two.View(), 1, 1)), (std::vector<uint8_t>{127}));
  EXPECT_EQ(Blues(SmoothResize(two.View(), 4, 1)), (std::vector<uint8_t>{0, 64, 191, 255}));
  EXPECT_EQ(Blues(reference::SmoothResize(two.View(), 1, 1)), (std::vector<uint8_t>{127}));
  EXPECT_EQ(Blues(reference::SmoothResize(two.View(), 4, 1)), (std::vector<uint8_t>{0, 64, 191, 255}));
}

TEST(SmoothResize, UniformStaysUniform) {
  PixelBuffer p(37, 23);
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      p.Row(y)[3 * x] = 200, p.Row(y)[3 * x + 1] = 17, p.Row(y)[3 * x + 2] = 255;
    }
  }
  for (auto [w, h] : {std::pair{5, 3}, {1, 1}, {37, 23}, {100, 61}}) {
    const PixelBuffer out = SmoothResize(p.View(), w, h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        ASSERT_EQ(out.Row(y)[3 * x], 200);
        ASSERT_EQ(out.Row(y)[3 * x + 1], 17);
        ASSERT_EQ(out.Row(y)[3 * x + 2], 255);
      }
    }
  }
}

TEST(SmoothResize, MatchesTheCellByCellDefinition) {
  struct Size {
    int w, h;
  };
  const Size sources[] = {{1, 1}, {2, 1}, {1, 7}, {9, 1}, {3, 3}, {17, 13}, {64, 48}, {101, 37}, {1, 300}, {250, 2}};
  const Size targets[] = {{1, 1}, {1, 5}, {6, 1}, {2, 2}, {3, 7}, {16, 12}, {33, 20}, {7, 11}, {50, 51}, {120, 90}};
  uint32_t seed = 1;
  for (const Size& s : sources) {
    const PixelBuffer src = TestPicture(s.w, s.h, seed++);
    for (const Size& t : targets) {
      SCOPED_TRACE(testing::Message() << s.w << "x" << s.h << " -> " << t.w << "x" << t.h);
      ExpectSameBytes(SmoothResize(src.View(), t.w, t.h), reference::SmoothResize(src.View(), t.w, t.h));
    }
  }
  std::mt19937 rng(2024);
  auto side = [&](int most) { return 1 + static_cast<int>(rng() % most); };
  for (int n = 0; n < 150; ++n) {
    const Size s{side(90), side(90)}, t{side(130), side(130)};
    SCOPED_TRACE(testing::Message() << s.w << "x" << s.h << " -> " << t.w << "x" << t.h);
    const PixelBuffer src = TestPicture(s.w, s.h, seed++);
    ExpectSameBytes(SmoothResize(src.View(), t.w, t.h), reference::SmoothResize(src.View(), t.w, t.h));
  }
}

TEST(SmoothResize, HalfCoveredEdgesAreCheckedInDoublePrecision) {
  // Footprints that cover half of a 0/255 edge sum to just below 127.5,
  // closer than the float sums can tell.
  const PixelBuffer src = TestPicture(300, 200, 99);
  SmoothResizeStats stats;
  const PixelBuffer out = SmoothResize(src.View(), 97, 61, &stats);
  EXPECT_GT(stats.double_checked_pixels, 0);
  EXPECT_LT(stats.double_checked_pixels, 97 * 61 / 10);
  ExpectSameBytes(out, reference::SmoothResize(src.View(), 97, 61));
}

TEST(SmoothResize, EveryTierAloneMatchesTheDefinition) {
  using resize_detail::Tier;
  struct Case {
    int w, h, tw, th;
  };
  const Case cases[] = {{88, 41, 87, 40}, {83, 49, 96, 56}, {51, 43, 17, 9}, {5, 70, 1, 3}, {2, 1, 4, 1}};
  uint32_t seed = 40;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " -> " << c.tw << "x" << c.th);
    const PixelBuffer src = TestPicture(c.w, c.h, seed++);
    const PixelBuffer ref = reference::SmoothResize(src.View(), c.tw, c.th);
    SmoothResizeStats stats;
    ExpectSameBytes(resize_detail::SmoothResize(src.View(), c.tw, c.th, &stats, Tier::kDouble), ref);
    EXPECT_EQ(stats.double_checked_pixels, int64_t{c.tw} * c.th);
    ExpectSameBytes(resize_detail::SmoothResize(src.View(), c.tw, c.th, &stats, Tier::kExact), ref);
    EXPECT_EQ(stats.exact_pixels, int64_t{c.tw} * c.th);
  }
}

TEST(SmoothResize, AbsurdEnlargementGoesCellByCell) {
  // Footprints narrower than the definition's 0.000001 shrink come out backwards.
  const PixelBuffer src = Grey(1, 1, {200});
  SmoothResizeStats stats;
  const PixelBuffer out = SmoothResize(src.View(), 1050000, 1, &stats);
  EXPECT_EQ(stats.exact_pixels, 1050000);
  ExpectSameBytes(out, reference::SmoothResize(src.View(), 1050000, 1));
}

TEST(SmoothResize, ReadsFourByteAndBottomUpPixels) {
  const PixelBuffer src = TestPicture(41, 29, 7);
  // The same picture as BGRX rows stored bottom-up with padding.
  const ptrdiff_t stride = 41 * 4 + 8;
  std::vector<uint8_t> memory(stride * 29, 0xEE);
  for (int y = 0; y < 29; ++y) {
    uint8_t* row = memory.data() + (28 - y) * stride;
    for (int x = 0; x < 41; ++x) {
      for (int ch = 0; ch < 3; ++ch) row[4 * x + ch] = src.Row(y)[3 * x + ch];
    }
  }
  const PixelView bottom_up{memory.data() + 28 * stride, 41, 29, -stride, 4};
  ExpectSameBytes(SmoothResize(bottom_up, 13, 9), SmoothResize(src.View(), 13, 9));
  ExpectSameBytes(SmoothResize(bottom_up, 13, 9), reference::SmoothResize(bottom_up, 13, 9));
}

TEST(SmoothResize, OutputRowsAreDibAligned) {
  const PixelBuffer out = SmoothResize(TestPicture(10, 10, 3).View(), 5, 2);
  EXPECT_EQ(out.stride, 16);
  EXPECT_EQ(out.bytes.size(), 32u);
}

TEST(SmoothResize, RefusesEmptySourcesAndTargets) {
  const PixelBuffer src = TestPicture(4, 4, 5);
  EXPECT_THROW(SmoothResize(PixelView{}, 1, 1), std::invalid_argument);
  EXPECT_THROW(SmoothResize(src.View(), 0, 1), std::invalid_argument);
  EXPECT_THROW(SmoothResize(src.View(), 3, -1), std::invalid_argument);
  PixelView odd = src.View();
  odd.bytes_per_pixel = 2;
  EXPECT_THROW(SmoothResize(odd, 1, 1), std::invalid_argument);
}

}  // namespace
}  // namespace zk
