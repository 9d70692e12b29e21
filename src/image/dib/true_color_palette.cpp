#include "image/dib/true_color_palette.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zk {
namespace {

constexpr int kLevels = 32;  // 5 bits per channel

struct Bin {
  uint32_t count = 0;
  uint32_t first = 0;  // the first exact colour seen, 0xRRGGBB
  bool mixed = false;  // more than one exact colour fell here
  uint64_t sum[3] = {};  // red, green, blue
};

struct Histogram {
  std::vector<Bin> bins = std::vector<Bin>(kLevels * kLevels * kLevels);
  Bin& At(int r, int g, int b) { return bins[(r * kLevels + g) * kLevels + b]; }
};

struct Box {
  int lo[3], hi[3];  // inclusive bin ranges: red, green, blue
  uint64_t count = 0;
};

int BinIndex(const int c[3]) { return (c[0] * kLevels + c[1]) * kLevels + c[2]; }

// Shrinks the box to its occupied bins and counts its pixels.
void Fit(Box& box, Histogram& hist) {
  int lo[3] = {kLevels, kLevels, kLevels}, hi[3] = {-1, -1, -1};
  box.count = 0;
  int c[3];
  for (c[0] = box.lo[0]; c[0] <= box.hi[0]; ++c[0])
    for (c[1] = box.lo[1]; c[1] <= box.hi[1]; ++c[1])
      for (c[2] = box.lo[2]; c[2] <= box.hi[2]; ++c[2]) {
        uint32_t n = hist.bins[BinIndex(c)].count;
        if (!n) continue;
        box.count += n;
        for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], c[a]), hi[a] = std::max(hi[a], c[a]);
      }
  for (int a = 0; a < 3; ++a) box.lo[a] = lo[a], box.hi[a] = hi[a];
}

// Splits at the pixel median of the longest side; false when the box is one bin.
bool Split(Box& box, Box& other, Histogram& hist) {
  int axis = 0;
  for (int a = 1; a < 3; ++a)
    if (box.hi[a] - box.lo[a] > box.hi[axis] - box.lo[axis]) axis = a;
  if (box.hi[axis] == box.lo[axis]) return false;
  std::array<uint64_t, kLevels> slice{};
  int c[3];
  for (c[0] = box.lo[0]; c[0] <= box.hi[0]; ++c[0])
    for (c[1] = box.lo[1]; c[1] <= box.hi[1]; ++c[1])
      for (c[2] = box.lo[2]; c[2] <= box.hi[2]; ++c[2]) slice[c[axis]] += hist.bins[BinIndex(c)].count;
  uint64_t running = 0;
  int cut = box.lo[axis];
  for (; cut < box.hi[axis] - 1; ++cut) {
    running += slice[cut];
    if (running * 2 >= box.count) break;
  }
  other = box;
  box.hi[axis] = cut;
  other.lo[axis] = cut + 1;
  Fit(box, hist);
  Fit(other, hist);
  return true;
}

RgbQuad Mean(const Box& box, Histogram& hist) {
  uint64_t sum[3] = {}, count = 0;
  int c[3];
  for (c[0] = box.lo[0]; c[0] <= box.hi[0]; ++c[0])
    for (c[1] = box.lo[1]; c[1] <= box.hi[1]; ++c[1])
      for (c[2] = box.lo[2]; c[2] <= box.hi[2]; ++c[2]) {
        const Bin& bin = hist.bins[BinIndex(c)];
        count += bin.count;
        for (int a = 0; a < 3; ++a) sum[a] += bin.sum[a];
      }
  auto channel = [&](int a) { return static_cast<uint8_t>(count ? (sum[a] + count / 2) / count : 0); };
  return RgbQuad{channel(2), channel(1), channel(0), 0};
}

}  // namespace

std::vector<RgbQuad> ChooseTrueColorPalette(const TNkInternalDIB& dib, int max_colors) {
  Histogram hist;
  const uint64_t width = static_cast<uint64_t>(dib.Width()), rows = static_cast<uint64_t>(dib.Height());
  const uint64_t stride = DibRowBytes(width, 24);
  for (uint64_t y = 0; y < rows; ++y) {
    const uint8_t* p = dib.Bits() + y * stride;
    for (uint64_t x = 0; x < width; ++x, p += 3) {
      uint32_t rgb = uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
      Bin& bin = hist.At(p[2] >> 3, p[1] >> 3, p[0] >> 3);
      if (bin.count == 0) bin.first = rgb;
      else if (bin.first != rgb) bin.mixed = true;
      ++bin.count;
      bin.sum[0] += p[2], bin.sum[1] += p[1], bin.sum[2] += p[0];
    }
  }

  std::vector<RgbQuad> result;
  bool exact = true;
  int used = 0;
  for (const Bin& bin : hist.bins)
    if (bin.count) exact = exact && !bin.mixed, ++used;
  if (exact && used <= max_colors) {
    for (const Bin& bin : hist.bins)
      if (bin.count)
        result.push_back(RgbQuad{static_cast<uint8_t>(bin.first), static_cast<uint8_t>(bin.first >> 8),
                                 static_cast<uint8_t>(bin.first >> 16), 0});
    return result;
  }

  std::vector<Box> boxes(1, Box{{0, 0, 0}, {kLevels - 1, kLevels - 1, kLevels - 1}});
  Fit(boxes[0], hist);
  std::vector<bool> whole(1, false);  // boxes that are a single bin
  while (static_cast<int>(boxes.size()) < max_colors) {
    int pick = -1;
    for (size_t i = 0; i < boxes.size(); ++i)
      if (!whole[i] && (pick < 0 || boxes[i].count > boxes[pick].count)) pick = static_cast<int>(i);
    if (pick < 0) break;
    Box other;
    if (!Split(boxes[pick], other, hist)) {
      whole[pick] = true;
      continue;
    }
    boxes.push_back(other);
    whole.push_back(false);
  }
  for (const Box& box : boxes) result.push_back(Mean(box, hist));
  return result;
}

}  // namespace zk
