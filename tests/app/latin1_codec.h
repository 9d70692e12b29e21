// A stand-in for the ANSI code page: Latin-1, one byte per character, "?" for
// anything it cannot hold.
#pragma once

#include "base/ansi_codec.h"

namespace zk::test {

class Latin1Codec : public AnsiCodec {
 public:
  std::u16string Decode(std::string_view bytes) const override {
    std::u16string out;
    for (char b : bytes) out += static_cast<char16_t>(static_cast<unsigned char>(b));
    return out;
  }
  std::string Encode(std::u16string_view text) const override {
    std::string out;
    for (char16_t c : text) out += c <= 0xFF ? static_cast<char>(c) : '?';
    return out;
  }
};

}  // namespace zk::test
