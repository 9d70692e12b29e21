#include "archive/dll_entries.h"

namespace zk {

const std::array<DllEntryInfo, kDllEntryCount> kDllEntries = {{
    {"", true},
    {"OpenArchive", true},
    {"CloseArchive", true},
    {"FindFirst", true},
    {"FindNext", true},
    {"ExtractMem", true},
    {"CheckArchive", true},
    {"SetOwnerWindowEx", false},
    {"KillOwnerWindowEx", false},
    {"GetWriteTimeEx", false},
    {"GetCreateTimeEx", false},
    {"GetAccessTimeEx", false},
    {"GetArchiveType", true},
    {"SetEnumMembersProc64", false},
    {"ClearEnumMembersProc64", false},
}};

std::string DllEntryName(std::string_view prefix, DllEntry entry) {
  return std::string(prefix) + std::string(kDllEntries[static_cast<size_t>(entry)].suffix);
}

const std::vector<ZipEntryInfo>& ZipEntries() {
  static const std::vector<ZipEntryInfo> entries = {
    {ZipEntry::kUnpackCommand, "UnZip", {kUnzip32, kLmzip32}, true, false},
    {ZipEntry::kPackCommand, "Zip", {kZip32j, kLmzip32}, true, false},
    {ZipEntry::kOpenArchive, "UnZipOpenArchive", {kLmzip32, kZip32j, kUnzip32}, true, false},
    {ZipEntry::kCloseArchive, "UnZipCloseArchive", {kLmzip32, kZip32j, kUnzip32}, true, false},
    {ZipEntry::kFindFirst, "UnZipFindFirst", {kLmzip32, kZip32j, kUnzip32}, true, false},
    {ZipEntry::kFindNext, "UnZipFindNext", {kLmzip32, kZip32j, kUnzip32}, true, false},
    // The DLLs really spell this one with a lower-case z.
    {ZipEntry::kGetWriteTimeEx, "UnzipGetWriteTimeEx", {kLmzip32, kZip32j, kUnzip32}, false, false},
    {ZipEntry::kGetCreateTimeEx, "UnZipGetCreateTimeEx", {kLmzip32, kZip32j, kUnzip32}, false, false},
    {ZipEntry::kGetAccessTimeEx, "UnZipGetAccessTimeEx", {kLmzip32, kZip32j, kUnzip32}, false, false},
    {ZipEntry::kCheckArchive, "UnZipCheckArchive", {kUnzip32, kLmzip32, kZip32j}, true, false},
    {ZipEntry::kExtractMem, "UnZipExtractMem", {kUnzip32, kLmzip32, kZip32j}, true, false},
    {ZipEntry::kSetOwnerWindowEx, "UnZipSetOwnerWindowEx", {kUnzip32}, true, true},
    {ZipEntry::kKillOwnerWindowEx, "UnZipKillOwnerWindowEx", {kUnzip32}, true, true},
  };
  return entries;
}

const ZipEntryInfo& ZipEntryOf(ZipEntry entry) { return ZipEntries()[static_cast<size_t>(entry)]; }

std::string ZipEntryNameIn(ZipLibrary library, std::string_view name) {
  std::string out(name);
  if (library == kLmzip32 && out.size() >= 3 && out[2] == 'Z') out[2] = 'z';
  return out;
}

int Yz1FindFirst(const Yz1FindFirstCalls& calls) {
  int result = 0;
  for (int pass = 0; pass < kYz1PasswordPasses; ++pass) {
    result = calls.find_first();
    if (result != kYz1PasswordRequest) break;
    if (calls.password_dialog() < 0) break;
    calls.set_default_password();
  }
  return result;
}

}  // namespace zk
