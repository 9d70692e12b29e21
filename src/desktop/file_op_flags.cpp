#include "desktop/file_op_flags.h"

#include <iterator>

#include "base/paths.h"

namespace zk {
namespace {

// Indexed by TFileOpFlag; 0 where the shell has no counterpart.
constexpr uint16_t kShellFlag[] = {
    shell_fof::kMultiDestFiles,    // fofMultiDestFiles
    shell_fof::kConfirmMouse,      // fofConfirmMouse
    shell_fof::kSilent,            // fofSilent
    shell_fof::kRenameOnCollision, // fofRenameOnCollision
    shell_fof::kNoConfirmation,    // fofNoConfirmation
    0,                             // fofWantMappingHandle
    shell_fof::kAllowUndo,         // fofAllowUndo
    shell_fof::kFilesOnly,         // fofFilesOnly
    shell_fof::kSimpleProgress,    // fofSimpleProgress
    shell_fof::kNoConfirmMkdir,    // fofNoConfirmMkdir
    shell_fof::kNoErrorUI,         // fofNoErrorUI
};
static_assert(std::size(kShellFlag) == fofNoErrorUI + 1);

}  // namespace

uint16_t ShellFileOpFlags(TFileOpFlags options) {
  uint16_t out = 0;
  for (size_t i = 0; i < std::size(kShellFlag); ++i)
    if (options.Contains(static_cast<TFileOpFlag>(i))) out = static_cast<uint16_t>(out | kShellFlag[i]);
  return out;
}

std::u16string BuildShellFileList(const std::vector<std::u16string>& names) {
  std::u16string out;
  for (const std::u16string& name : names) {
    std::u16string_view n(name);
    n = n.substr(0, n.find(u'\0'));
    if (n.empty()) continue;
    out += n;
    out += u'\0';
  }
  out += u'\0';
  return out;
}

std::vector<std::u16string> SplitShellFileList(std::u16string_view list) {
  std::vector<std::u16string> out;
  while (!list.empty()) {
    size_t end = list.find(u'\0');
    std::u16string_view name = list.substr(0, end);
    if (name.empty()) break;
    out.emplace_back(name);
    if (end == std::u16string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return out;
}

std::u16string FolderContentsPattern(std::u16string_view folder) {
  // "*.*" alone would match the current folder's contents.
  if (folder.empty()) return {};
  return IncludeTrailingDelimiter(folder) + u"*.*";
}

}  // namespace zk
