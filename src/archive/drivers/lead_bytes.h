// Double-byte awareness for byte texts in the ANSI code page: which bytes
// start a two-byte character. The Win32 side asks the system; the portable
// code page 932 rule serves the native build and its tests.
#pragma once

#include <cstdint>
#include <string_view>

namespace zk {

class LeadByteTest {
 public:
  virtual ~LeadByteTest() = default;
  virtual bool IsLeadByte(uint8_t byte) const = 0;
};

// Code page 932 (Shift_JIS): 0x81-0x9F and 0xE0-0xFC lead.
class Cp932LeadBytes final : public LeadByteTest {
 public:
  bool IsLeadByte(uint8_t byte) const override {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }
};

// Whether the text's last character (a whole double-byte character counting
// as one) is "\".
bool EndsWithBackslash(std::string_view text, const LeadByteTest& lead);

}  // namespace zk
