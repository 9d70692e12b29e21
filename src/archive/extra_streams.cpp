#include "archive/extra_streams.h"

namespace zk {

std::optional<std::string> ExtraStreamToRestore(int state, const TExtractingInfo& info, std::string_view separator) {
  if (state != kExtractingMemberState || separator.empty()) return std::nullopt;
  if (FixedText(info.szSourceFileName).find(separator) == std::string::npos) return std::nullopt;
  return FixedText(info.szDestFileName);
}

std::string StreamNameOf(std::string_view extracted, std::string_view separator) {
  std::string name(extracted);
  if (separator.empty()) return name;
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] != separator[0]) continue;
    name[i] = ':';
    if (separator.size() > 1 && i + 1 < name.size() && name[i + 1] == separator[1]) name[++i] = '\x05';
  }
  return name;
}

}  // namespace zk
