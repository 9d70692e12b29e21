// Guesses the encoding of raw text bytes with four competing scanners
// (UTF-7, UTF-8, Shift_JIS, EUC-JP) and an early look for ISO-2022-JP escapes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zk {

enum class DetectResult : uint8_t {
  kAscii = 0,      // only 7-bit bytes, nothing decided
  kSjis = 1,
  kEuc = 2,
  kJis = 3,
  kUtf7 = 4,
  kUtf8 = 5,
  kHighBytes = 6,  // a byte of 0x80 or above was seen, nothing decided
};

// Looks at the first `size` bytes (clamped to bytes.size()).
DetectResult DetectCharCode(std::string_view bytes, size_t size = std::string_view::npos);

}  // namespace zk
