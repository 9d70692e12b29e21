// The system's ANSI code page, as the core sees it. The Win32 implementation
// calls the platform; tests use their own.
#pragma once

#include <string>
#include <string_view>

namespace zk {

class AnsiCodec {
 public:
  virtual ~AnsiCodec() = default;
  virtual std::u16string Decode(std::string_view bytes) const = 0;
  virtual std::string Encode(std::u16string_view text) const = 0;
};

}  // namespace zk
