// A list of strings as one comma-separated settings value (key "IsBinary").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zk {

// Unquoted commas and unquoted spaces separate items; an item in double quotes may
// hold both, with inner quotes doubled. Empty items between separators are dropped
// except when quoted ("").
std::vector<std::u16string> SplitCommaText(std::u16string_view text);
// Items holding a space, a comma, a double quote or a control character are quoted.
std::u16string JoinCommaText(const std::vector<std::u16string>& items);

// Whether the list holds the text, ignoring letter case.
bool ListContainsIgnoreCase(const std::vector<std::u16string>& list, std::u16string_view text);

}  // namespace zk
