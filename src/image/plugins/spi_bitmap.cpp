#include "image/plugins/spi_bitmap.h"

#include <cstring>

namespace zk {
namespace {

uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

// Pictures beyond this are refused before any size is worked out from them.
constexpr int64_t kMaxSide = 1 << 16;
constexpr int64_t kMaxImageBytes = int64_t{1} << 31;

}  // namespace

std::optional<SpiBitmapFacts> CheckSpiBitmap(std::span<const uint8_t> info_block, size_t bits_block_size) {
  if (info_block.size() < 40) return std::nullopt;
  const uint8_t* h = info_block.data();
  SpiBitmapFacts f;
  f.header_size = U32(h);
  f.width = static_cast<int32_t>(U32(h + 4));
  f.height = static_cast<int32_t>(U32(h + 8));
  f.bit_count = U16(h + 14);
  const uint32_t compression = U32(h + 16);
  const uint32_t used = U32(h + 32);
  if (f.header_size < 40 || f.header_size > info_block.size()) return std::nullopt;
  if (compression != 0) return std::nullopt;
  if (f.width <= 0 || f.width > kMaxSide || f.height == 0 || f.height < -kMaxSide || f.height > kMaxSide)
    return std::nullopt;
  switch (f.bit_count) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return std::nullopt;
  }
  if (used > 256) return std::nullopt;
  f.colors = used != 0 ? static_cast<int>(used) : f.bit_count <= 8 ? 1 << f.bit_count : 0;
  f.info_size = 40 + 4 * static_cast<size_t>(f.colors);
  if (f.header_size + 4 * static_cast<size_t>(f.colors) > info_block.size()) return std::nullopt;
  const int64_t row = (int64_t{f.bit_count} * f.width + 31) / 32 * 4;
  const int64_t image = row * (f.height < 0 ? -int64_t{f.height} : f.height);
  if (image > kMaxImageBytes || static_cast<uint64_t>(image) > bits_block_size) return std::nullopt;
  f.image_size = static_cast<size_t>(image);
  return f;
}

std::string SpiBitmapFile(std::span<const uint8_t> info_block, std::span<const uint8_t> bits,
                          const SpiBitmapFacts& facts) {
  std::string out;
  out.reserve(14 + facts.info_size + facts.image_size);
  out += "BM";
  Put32(out, static_cast<uint32_t>(14 + facts.info_size + facts.image_size));
  Put32(out, 0);
  Put32(out, static_cast<uint32_t>(14 + facts.info_size));
  // The header in its 40-byte form with the colour count made explicit, so
  // that longer headers keep their colour table right behind it.
  const size_t header_at = out.size();
  out.append(reinterpret_cast<const char*>(info_block.data()), 40);
  out[header_at] = 40;
  out[header_at + 1] = out[header_at + 2] = out[header_at + 3] = 0;
  for (int i = 0; i < 4; ++i) out[header_at + 32 + i] = static_cast<char>(static_cast<uint32_t>(facts.colors) >> (8 * i));
  out.append(reinterpret_cast<const char*>(info_block.data() + facts.header_size), 4 * static_cast<size_t>(facts.colors));
  out.append(reinterpret_cast<const char*>(bits.data()), facts.image_size);
  return out;
}

}  // namespace zk
