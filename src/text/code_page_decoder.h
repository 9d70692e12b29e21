// Decoding of byte text by code page, as the platform's MultiByteToWideChar
// does it with flags 0 and an output buffer of one unit per input byte.
#pragma once

#include <string>
#include <string_view>

namespace zk {

inline constexpr unsigned kCodePageSjis = 932;
inline constexpr unsigned kCodePageUtf7 = 65000;
inline constexpr unsigned kCodePageUtf8 = 65001;

class CodePageDecoder {
 public:
  virtual ~CodePageDecoder() = default;
  // The decoded text; empty when the conversion fails (or yields nothing).
  virtual std::u16string Decode(unsigned code_page, std::string_view bytes) const = 0;
};

// The three code pages above without the platform. Invalid input gives what
// the platform gives: U+30FB for a lead byte without a valid pair in code page
// 932 (taking the next byte with it unless that is NUL), U+FFFD for broken UTF-8, and UTF-7 passes stray bytes through.
// Other code pages fail.
class PortableCodePageDecoder final : public CodePageDecoder {
 public:
  std::u16string Decode(unsigned code_page, std::string_view bytes) const override;
};

std::u16string DecodeCp932(std::string_view bytes);
std::u16string DecodeUtf8(std::string_view bytes);
std::u16string DecodeUtf7(std::string_view bytes);

}  // namespace zk
