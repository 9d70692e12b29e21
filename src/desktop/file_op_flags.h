// The option set of the shell file operation and the text forms the shell
// expects, kept free of the platform headers so they can be checked anywhere.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

enum TFileOpFlag : uint8_t {
  fofMultiDestFiles,
  fofConfirmMouse,
  fofSilent,
  fofRenameOnCollision,
  fofNoConfirmation,
  fofWantMappingHandle,
  fofAllowUndo,
  fofFilesOnly,
  fofSimpleProgress,
  fofNoConfirmMkdir,
  fofNoErrorUI,
};

// A set of TFileOpFlag in 16 bits, bit i standing for value i.
class TFileOpFlags {
 public:
  constexpr TFileOpFlags() = default;
  constexpr TFileOpFlags(std::initializer_list<TFileOpFlag> flags) {
    for (TFileOpFlag f : flags) Include(f);
  }
  static constexpr TFileOpFlags FromBits(uint16_t bits) {
    TFileOpFlags s;
    s.bits_ = bits;
    return s;
  }

  constexpr bool Contains(TFileOpFlag f) const { return (bits_ >> f) & 1u; }
  constexpr void Include(TFileOpFlag f) { bits_ = static_cast<uint16_t>(bits_ | (1u << f)); }
  constexpr void Exclude(TFileOpFlag f) { bits_ = static_cast<uint16_t>(bits_ & ~(1u << f)); }
  constexpr uint16_t Bits() const { return bits_; }
  constexpr bool Empty() const { return bits_ == 0; }

  friend constexpr bool operator==(TFileOpFlags, TFileOpFlags) = default;

 private:
  uint16_t bits_ = 0;
};

inline constexpr TFileOpFlags kDefaultFileOpOptions{fofAllowUndo, fofFilesOnly};

// The shell's FOF_* values, spelt out here so the portable code needs no
// platform header; the Win32 side checks them against the real ones.
namespace shell_fof {
inline constexpr uint16_t kMultiDestFiles = 0x0001;
inline constexpr uint16_t kConfirmMouse = 0x0002;
inline constexpr uint16_t kSilent = 0x0004;
inline constexpr uint16_t kRenameOnCollision = 0x0008;
inline constexpr uint16_t kNoConfirmation = 0x0010;
inline constexpr uint16_t kAllowUndo = 0x0040;
inline constexpr uint16_t kFilesOnly = 0x0080;
inline constexpr uint16_t kSimpleProgress = 0x0100;
inline constexpr uint16_t kNoConfirmMkdir = 0x0200;
inline constexpr uint16_t kNoErrorUI = 0x0400;
}  // namespace shell_fof

// The shell's flag word for an option set. fofWantMappingHandle is dropped:
// the name mappings it would ask for are never read, and never freed either.
uint16_t ShellFileOpFlags(TFileOpFlags options);

// The shell's list form: each name followed by a NUL, then one more NUL.
// An empty name would end the list early, and a NUL inside a name would split
// it into two, so empty names are left out and a name ends at its first NUL.
std::u16string BuildShellFileList(const std::vector<std::u16string>& names);
// The names of a list in that form, up to its first empty entry.
std::vector<std::u16string> SplitShellFileList(std::u16string_view list);

// What matches everything inside a folder: the folder, a delimiter and "*.*";
// empty for an empty folder name.
std::u16string FolderContentsPattern(std::u16string_view folder);

}  // namespace zk
