// The string values of a program file's version resource and the rules for
// values that are missing.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zk {

struct VersionStrings {
  std::u16string ProductVersion;
  std::u16string ProductName;
  std::u16string CompanyName;
  std::u16string OriginalFilename;
  std::u16string FileDescription;
  std::u16string FileVersion;
  std::u16string InternalName;
};

// Written for the version fields users read first when a file has a version
// resource without them.
inline constexpr char16_t kUnknownVersion[] = u"UnKnown";

// "\StringFileInfo\041104b0\ProductVersion": language, then code page, each
// as four lower-case hexadecimal digits.
std::u16string StringFileInfoPath(uint16_t language, uint16_t code_page, std::u16string_view name);

// Looks up one string value by name; nullopt when the resource lacks it.
using VersionLookup = std::function<std::optional<std::u16string>(std::u16string_view name)>;

// The seven values of a file. Without a version resource (has_resource false)
// every value is empty; with one, a missing ProductVersion, FileDescription
// or FileVersion becomes "UnKnown" and the others stay empty.
VersionStrings CollectVersionStrings(bool has_resource, const VersionLookup& lookup);

}  // namespace zk
