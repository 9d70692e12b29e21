// Code-page decoding by the platform (MultiByteToWideChar).
#pragma once

#include "text/code_page_decoder.h"

namespace zk {

class WinCodePageDecoder final : public CodePageDecoder {
 public:
  std::u16string Decode(unsigned code_page, std::string_view bytes) const override;
};

}  // namespace zk
