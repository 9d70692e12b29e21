// Builders of Windows bitmap data for the DIB container's tests, and pixel
// memory that records what it was asked for.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "image/dib/pixel_memory.h"

// Bitmap parts below are written with designated initializers that name only the
// fields a test cares about; the rest keep their defaults on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace zk::test {

inline void PutLe16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
inline void PutLe32(std::string& out, uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

// Colours are written as 0xRRGGBB values.
struct BmpParts {
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t clr_used = 0;
  uint32_t size_image = 0;
  int32_t resolution = 0;
  std::vector<uint32_t> colors;  // written as the colour table, however many
  std::vector<uint32_t> masks;   // written between header and colour table when given
  std::string pixels;
  std::optional<uint32_t> off_bits;   // default: right behind the colour table
  std::optional<uint32_t> file_size;  // default: the real size
};

// The info header, masks and colour table (the clipboard layout without pixels).
inline std::string InfoPart(const BmpParts& s) {
  std::string out;
  PutLe32(out, 40);
  PutLe32(out, static_cast<uint32_t>(s.width));
  PutLe32(out, static_cast<uint32_t>(s.height));
  PutLe16(out, 1);
  PutLe16(out, s.bits);
  PutLe32(out, s.compression);
  PutLe32(out, s.size_image);
  PutLe32(out, static_cast<uint32_t>(s.resolution));
  PutLe32(out, static_cast<uint32_t>(s.resolution));
  PutLe32(out, s.clr_used);
  PutLe32(out, 0);
  for (uint32_t m : s.masks) PutLe32(out, m);
  for (uint32_t c : s.colors) PutLe32(out, c & 0xFFFFFF);
  return out;
}

inline std::string MakeBmp(const BmpParts& s) {
  std::string info = InfoPart(s);
  uint32_t off = s.off_bits.value_or(static_cast<uint32_t>(14 + info.size()));
  uint32_t size = s.file_size.value_or(static_cast<uint32_t>(14 + info.size() + s.pixels.size()));
  std::string out = "BM";
  PutLe32(out, size);
  PutLe32(out, 0);
  PutLe32(out, off);
  return out + info + s.pixels;
}

// A file with the 12-byte core header; colours as 0xRRGGBB in 3-byte entries.
inline std::string MakeCoreBmp(uint16_t width, uint16_t height, uint16_t bits, const std::vector<uint32_t>& colors,
                               const std::string& pixels) {
  std::string info;
  PutLe32(info, 12);
  PutLe16(info, width);
  PutLe16(info, height);
  PutLe16(info, 1);
  PutLe16(info, bits);
  for (uint32_t c : colors) {
    info.push_back(static_cast<char>(c & 0xFF));
    info.push_back(static_cast<char>((c >> 8) & 0xFF));
    info.push_back(static_cast<char>((c >> 16) & 0xFF));
  }
  std::string out = "BM";
  PutLe32(out, static_cast<uint32_t>(14 + info.size() + pixels.size()));
  PutLe32(out, 0);
  PutLe32(out, static_cast<uint32_t>(14 + info.size()));
  return out + info + pixels;
}

inline std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

// Heap memory that remembers the largest block asked for; installed for the
// lifetime of the object.
class RecordingPixelMemory final : public PixelMemory {
 public:
  RecordingPixelMemory() { InstallPixelMemory(this); }
  ~RecordingPixelMemory() override { InstallPixelMemory(nullptr); }
  std::unique_ptr<PixelBlock> Allocate(size_t size) override {
    largest = std::max(largest, size);
    return heap_.Allocate(size);
  }
  size_t largest = 0;

 private:
  HeapPixelMemory heap_;
};

}  // namespace zk::test
