// The encodings a text file can be read in, and their status-bar names.
#pragma once

#include <cstdint>
#include <string_view>

namespace zk {

enum class CharCode : uint8_t {
  kNone = 0,        // nothing decided (the file could not be read)
  kSjis = 1,        // code page 932, and every text no other rule claims
  kUtf16Le = 2,
  kUtf16Be = 3,
  kUtf8Bom = 4,
  kUtf7 = 5,
  kUtf8 = 6,
  kEuc = 7,
  kJis = 8,
};

inline constexpr int kCharCodeCount = 9;

// "[S-JIS]", "[Unicode]", ...; empty for kNone and for ids out of range.
std::u16string_view CharCodeName(CharCode id);

}  // namespace zk
