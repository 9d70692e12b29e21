// Little-endian fields of picture file headers, read with bounds checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zk::formats {

class LeReader {
 public:
  explicit LeReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  bool Has(size_t at, size_t n) const { return at <= bytes_.size() && n <= bytes_.size() - at; }
  uint16_t U16(size_t at) const { return Has(at, 2) ? static_cast<uint16_t>(bytes_[at] | bytes_[at + 1] << 8) : 0; }
  uint32_t U32(size_t at) const {
    return Has(at, 4) ? static_cast<uint32_t>(bytes_[at]) | static_cast<uint32_t>(bytes_[at + 1]) << 8 |
                            static_cast<uint32_t>(bytes_[at + 2]) << 16 | static_cast<uint32_t>(bytes_[at + 3]) << 24
                      : 0;
  }
  int16_t I16(size_t at) const { return static_cast<int16_t>(U16(at)); }
  int32_t I32(size_t at) const { return static_cast<int32_t>(U32(at)); }
  uint32_t BigU32(size_t at) const {
    return Has(at, 4) ? static_cast<uint32_t>(bytes_[at]) << 24 | static_cast<uint32_t>(bytes_[at + 1]) << 16 |
                            static_cast<uint32_t>(bytes_[at + 2]) << 8 | static_cast<uint32_t>(bytes_[at + 3])
                      : 0;
  }
  size_t size() const { return bytes_.size(); }
  std::span<const uint8_t> bytes() const { return bytes_; }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace zk::formats
