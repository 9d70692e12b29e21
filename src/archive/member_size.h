// Sizes as the archive list and the state report write them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zk {

// The decimal size in the user's locale currency format without decimals and
// without the currency sign: 20000000 gives "20,000,000" with the Japanese
// settings. An empty input gives an empty result.
std::u16string FormatMemberSize(std::u16string_view decimal);
std::u16string FormatMemberSize(int64_t size);

}  // namespace zk
