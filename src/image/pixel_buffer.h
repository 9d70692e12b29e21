// Plain pixel rows for the portable picture code: a read-only view of BGR or
// BGRX rows (any stride, negative for bottom-up bitmaps) and an owned 24-bit
// buffer whose rows are laid out like a top-down DIB (4-byte aligned).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zk {

struct PixelView {
  const uint8_t* top_row = nullptr;  // first byte of row 0 (the top row)
  int width = 0;
  int height = 0;
  ptrdiff_t stride = 0;     // bytes from one row to the next; negative for bottom-up memory
  int bytes_per_pixel = 3;  // 3: blue, green, red; 4: blue, green, red, unused

  bool empty() const { return width <= 0 || height <= 0 || top_row == nullptr; }
  const uint8_t* Row(int y) const { return top_row + y * stride; }
};

struct PixelBuffer {
  int width = 0;
  int height = 0;
  ptrdiff_t stride = 0;  // bytes per row, a multiple of 4
  std::vector<uint8_t> bytes;

  PixelBuffer() = default;
  PixelBuffer(int w, int h)
      : width(w), height(h), stride(RowBytes(w)), bytes(static_cast<size_t>(stride) * static_cast<size_t>(h)) {}

  static ptrdiff_t RowBytes(int w) { return (static_cast<ptrdiff_t>(w) * 3 + 3) & ~ptrdiff_t{3}; }

  uint8_t* Row(int y) { return bytes.data() + y * stride; }
  const uint8_t* Row(int y) const { return bytes.data() + y * stride; }
  PixelView View() const { return {bytes.data(), width, height, stride, 3}; }
};

}  // namespace zk
