#include "app/model/about_texts.h"

namespace zk {

const char16_t* const kAboutArchiverDlls[9] = {u"UNLHA32.DLL", u"UNZIP32.DLL", u"ZIP32J.DLL",
                                               u"CAB32.DLL",   u"TAR32.DLL",   u"UNRAR32.DLL",
                                               u"BGA32.DLL",   u"YYZ32.DLL",   u"YZ1.DLL"};

std::u16string VersionText(const std::u16string& product_version) {
  return product_version.empty() ? std::u16string() : u"Version " + product_version;
}

std::u16string ModuleEntryText(const std::u16string& path, const std::u16string& product_version) {
  std::u16string text = path + u"\r";
  if (!product_version.empty()) text += u"  Version " + product_version;
  return text;
}

std::u16string BuiltinEntryText(const std::u16string& name, const std::u16string& version) {
  return name + u"\r  " + version;
}

std::vector<std::u16string> BuildModuleEntries(
    const std::vector<std::u16string>& plugin_names, const std::vector<std::u16string>& builtin_entries,
    const std::function<std::u16string(const std::u16string& name)>& locate,
    const std::function<std::u16string(const std::u16string& path)>& product_version) {
  std::vector<std::u16string> entries;
  auto add_located = [&](const std::u16string& name) {
    std::u16string path = locate(name);
    if (!path.empty()) entries.push_back(ModuleEntryText(path, product_version(path)));
  };
  for (const char16_t* dll : kAboutArchiverDlls) add_located(dll);
  entries.insert(entries.end(), builtin_entries.begin(), builtin_entries.end());
  for (const auto& name : plugin_names) add_located(name);
  return entries;
}

std::u16string CyclingList::Restart() {
  next_ = 0;
  return Next();
}

std::u16string CyclingList::Next() {
  if (entries_.empty()) return {};
  if (next_ >= entries_.size()) next_ = 0;
  return entries_[next_++];
}

}  // namespace zk
