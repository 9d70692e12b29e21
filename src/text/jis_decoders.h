// The program's own table-driven decoders for EUC-JP and ISO-2022-JP. They
// never fail: bytes that form no character are dropped or passed through.
#pragma once

#include <string>
#include <string_view>

namespace zk {

std::u16string EucToUnicode(std::string_view bytes);
std::u16string JisToUnicode(std::string_view bytes);

}  // namespace zk
