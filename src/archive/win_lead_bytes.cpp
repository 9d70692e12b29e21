#include "archive/win_lead_bytes.h"

#include <windows.h>

namespace zk {

bool WinLeadBytes::IsLeadByte(uint8_t byte) const { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace zk
