#include "app/model/version_strings.h"

namespace zk {
namespace {

void AppendHex4(std::u16string& out, uint16_t v) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(v >> shift) & 0xF];
}

}  // namespace

std::u16string StringFileInfoPath(uint16_t language, uint16_t code_page, std::u16string_view name) {
  std::u16string path = u"\\StringFileInfo\\";
  AppendHex4(path, language);
  AppendHex4(path, code_page);
  path += u'\\';
  path += name;
  return path;
}

VersionStrings CollectVersionStrings(bool has_resource, const VersionLookup& lookup) {
  VersionStrings v;
  if (!has_resource) return v;
  auto read = [&](std::u16string_view name, bool unknown_when_missing) {
    std::optional<std::u16string> value = lookup(name);
    if (value) return *value;
    return unknown_when_missing ? std::u16string(kUnknownVersion) : std::u16string();
  };
  v.ProductVersion = read(u"ProductVersion", true);
  v.ProductName = read(u"ProductName", false);
  v.CompanyName = read(u"CompanyName", false);
  v.OriginalFilename = read(u"OriginalFilename", false);
  v.FileDescription = read(u"FileDescription", true);
  v.FileVersion = read(u"FileVersion", true);
  v.InternalName = read(u"InternalName", false);
  return v;
}

}  // namespace zk
