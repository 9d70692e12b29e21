// The texts of the About box that come from the program files it names: the
// version lines and the cycling list of archiver DLLs and picture plug-ins.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zk {

// The archiver DLLs the About box lists, in its order.
extern const char16_t* const kAboutArchiverDlls[9];

// "Version " + the product version; empty when there is none.
std::u16string VersionText(const std::u16string& product_version);

// One entry of the cycling list: the located path, a carriage return, and
// "  Version " with the product version when the file has one.
std::u16string ModuleEntryText(const std::u16string& path, const std::u16string& product_version);
// A built-in engine's entry: its name, a carriage return, and its version text.
std::u16string BuiltinEntryText(const std::u16string& name, const std::u16string& version);

// The entries for the archiver DLLs, then the built-in engines' entries as
// given, then the given plug-in file names; DLLs and plug-ins as far as
// locate finds them (locate returns empty when it does not).
std::vector<std::u16string> BuildModuleEntries(
    const std::vector<std::u16string>& plugin_names, const std::vector<std::u16string>& builtin_entries,
    const std::function<std::u16string(const std::u16string& name)>& locate,
    const std::function<std::u16string(const std::u16string& path)>& product_version);

// Steps through a list once a second, round and round.
class CyclingList {
 public:
  explicit CyclingList(std::vector<std::u16string> entries = {}) : entries_(std::move(entries)) {}
  // The first entry again; empty when the list is.
  std::u16string Restart();
  // The next entry after the one shown last.
  std::u16string Next();
  size_t size() const { return entries_.size(); }

 private:
  std::vector<std::u16string> entries_;
  size_t next_ = 0;
};

}  // namespace zk
