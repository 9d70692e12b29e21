// The entry points of the archiver DLLs: each is the DLL's prefix followed by
// a common suffix, and the main command is the prefix alone.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

enum class DllEntry : uint8_t {
  kCommand, kOpenArchive, kCloseArchive, kFindFirst, kFindNext, kExtractMem, kCheckArchive,
  kSetOwnerWindowEx, kKillOwnerWindowEx, kGetWriteTimeEx, kGetCreateTimeEx, kGetAccessTimeEx,
  kGetArchiveType, kSetEnumMembersProc64, kClearEnumMembersProc64,
};
inline constexpr size_t kDllEntryCount = 15;

struct DllEntryInfo {
  std::string_view suffix;
  bool required;  // a missing optional entry makes its call answer 0
};
extern const std::array<DllEntryInfo, kDllEntryCount> kDllEntries;

std::string DllEntryName(std::string_view prefix, DllEntry entry);

// The YZ1 archivers' two extra entries, both optional.
inline constexpr std::string_view kYz1SetDefaultPassword = "SetDefaultPassword";
inline constexpr std::string_view kYz1PasswordDialog = "PasswordDialog";

// The ZIP archivers spread their entries over three libraries.
enum ZipLibrary : uint8_t { kUnzip32, kZip32j, kLmzip32 };
inline constexpr std::array<std::u16string_view, 3> kZipLibraryFiles = {u"UNZIP32.DLL", u"ZIP32J.DLL", u"LMZIP32.DLL"};

enum class ZipEntry : uint8_t {
  kUnpackCommand, kPackCommand, kOpenArchive, kCloseArchive, kFindFirst, kFindNext, kGetWriteTimeEx,
  kGetCreateTimeEx, kGetAccessTimeEx, kCheckArchive, kExtractMem, kSetOwnerWindowEx, kKillOwnerWindowEx,
};
struct ZipEntryInfo {
  ZipEntry entry;
  std::string_view name;
  std::vector<ZipLibrary> libraries;  // looked up in this order
  bool required;
  // Missing, it raises the general missing-entry message (naming a module)
  // rather than the ZIP one.
  bool general_message;
};
// In ZipEntry order.
const std::vector<ZipEntryInfo>& ZipEntries();
const ZipEntryInfo& ZipEntryOf(ZipEntry entry);

// The name an entry has in the given library: LMZIP32 spells a third
// character "Z" as "z" ("UnZipOpenArchive" is "UnzipOpenArchive" there).
std::string ZipEntryNameIn(ZipLibrary library, std::string_view name);

// YZ1 asks for a password by answering FindFirst with this code.
inline constexpr int kYz1PasswordRequest = 0x800A;
inline constexpr int kYz1PasswordPasses = 4;
inline constexpr int kYz1PasswordBufferSize = 256;

// FindFirst of a YZ1 archive: on a password request the DLL's dialog runs
// and, unless cancelled (negative answer), its password is set and FindFirst
// tried again, at most four passes in all; the password of the fourth dialog
// is set but not tried. Returns the last FindFirst result.
struct Yz1FindFirstCalls {
  std::function<int()> find_first;
  std::function<int()> password_dialog;
  std::function<void()> set_default_password;
};
int Yz1FindFirst(const Yz1FindFirstCalls& calls);

}  // namespace zk
