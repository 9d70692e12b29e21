// The system ANSI code page's lead bytes, for the command-line builders.
#pragma once

#include "archive/drivers/lead_bytes.h"

namespace zk {

class WinLeadBytes final : public LeadByteTest {
 public:
  bool IsLeadByte(uint8_t byte) const override;
};

}  // namespace zk
