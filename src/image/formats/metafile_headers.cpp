#include "image/formats/metafile_headers.h"

#include <cstdint>

#include "image/formats/byte_reader.h"

namespace zk {
namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kMetaHeaderSize = 18;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr size_t kEnhHeaderMinSize = 88;
// No picture of a program's own making is larger than this.
constexpr int kMaxMetafilePixels = 32767;

}  // namespace

std::optional<WindowsMetafileFacts> ReadWindowsMetafileHeader(std::span<const uint8_t> file) {
  formats::LeReader r(file);
  WindowsMetafileFacts facts;
  if (r.U32(0) == kPlaceableKey) {
    if (!r.Has(0, kPlaceableSize)) return std::nullopt;
    facts.placeable = true;
    facts.box_width = r.I16(10) - r.I16(6);
    facts.box_height = r.I16(12) - r.I16(8);
    facts.units_per_inch = r.U16(14);
    if (facts.box_width <= 0 || facts.box_height <= 0 || facts.units_per_inch == 0) return std::nullopt;
    facts.data_offset = kPlaceableSize;
  }
  const size_t h = facts.data_offset;
  if (!r.Has(h, kMetaHeaderSize)) return std::nullopt;
  const uint16_t type = r.U16(h);
  const uint16_t header_words = r.U16(h + 2);
  const uint16_t version = r.U16(h + 4);
  const uint64_t words = r.U32(h + 6);
  if ((type != 1 && type != 2) || header_words != 9 || (version != 0x100 && version != 0x300)) return std::nullopt;
  if (words * 2 < kMetaHeaderSize || !r.Has(h, words * 2)) return std::nullopt;
  facts.data_size = static_cast<size_t>(words * 2);
  return facts;
}

std::optional<EnhancedMetafileFacts> ReadEnhancedMetafileHeader(std::span<const uint8_t> file) {
  formats::LeReader r(file);
  if (!r.Has(0, kEnhHeaderMinSize) || r.U32(0) != 1 || r.U32(40) != kEmfSignature) return std::nullopt;
  const uint32_t header_size = r.U32(4);
  const uint32_t bytes = r.U32(48);
  if (header_size < kEnhHeaderMinSize || header_size > bytes || !r.Has(0, bytes)) return std::nullopt;
  EnhancedMetafileFacts facts;
  // The frame is inclusive on both sides.
  const int64_t width = static_cast<int64_t>(r.I32(32)) - r.I32(24) + 1;
  const int64_t height = static_cast<int64_t>(r.I32(36)) - r.I32(28) + 1;
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
  facts.frame_width = static_cast<int>(width);
  facts.frame_height = static_cast<int>(height);
  facts.size = bytes;
  return facts;
}

int HimetricToPixels(int64_t himetric, int dots_per_inch) {
  const int64_t px = (himetric * dots_per_inch + 1270) / 2540;
  return static_cast<int>(px < 1 ? 1 : px > kMaxMetafilePixels ? kMaxMetafilePixels : px);
}

int UnitsToPixels(int64_t units, int units_per_inch, int dots_per_inch) {
  if (units_per_inch <= 0) return 1;
  const int64_t px = (units * dots_per_inch + units_per_inch / 2) / units_per_inch;
  return static_cast<int>(px < 1 ? 1 : px > kMaxMetafilePixels ? kMaxMetafilePixels : px);
}

}  // namespace zk
