#include "desktop/delete_tree.h"

#include <windows.h>

#include "base/paths.h"
#include "base/win_handles.h"
#include "base/win_text.h"

namespace zk {
namespace {

bool IsDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// Read-only, hidden and system attributes make deletion fail; they are taken
// off only after a first attempt failed, so ordinary entries are not touched.
template <typename Remove>
bool RemoveWithAttributesCleared(const std::u16string& path, DWORD attributes, Remove remove) {
  if (remove(W(path))) return true;
  const DWORD blocking = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (!(attributes & blocking)) return false;
  if (!SetFileAttributesW(W(path), (attributes & ~blocking) | FILE_ATTRIBUTE_NORMAL)) return false;
  return remove(W(path)) != FALSE;
}

bool DeleteEntry(const std::u16string& path, DWORD attributes);

bool DeleteFolderTree(const std::u16string& folder, DWORD attributes) {
  bool all = true;
  // A link's target belongs to someone else: remove the link only.
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAW fd;
    const std::u16string prefix = IncludeTrailingDelimiter(folder);
    UniqueFindHandle find(FindFirstFileW(W(prefix + u"*"), &fd));
    if (find) {
      do {
        if (IsDotEntry(fd.cFileName)) continue;
        if (!DeleteEntry(prefix + FromWide(fd.cFileName), fd.dwFileAttributes)) all = false;
      } while (FindNextFileW(find.get(), &fd));
    }
  }
  return RemoveWithAttributesCleared(folder, attributes, RemoveDirectoryW) && all;
}

bool DeleteEntry(const std::u16string& path, DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return DeleteFolderTree(path, attributes);
  return RemoveWithAttributesCleared(path, attributes, DeleteFileW);
}

}  // namespace

void DeleteForGood(const std::u16string& given, bool files_only) {
  if (given.empty()) return;
  const bool wildcard = ExtractFileName(given).find_first_of(u"*?") != std::u16string::npos;
  // A folder named with a trailing delimiter is still that folder.
  const std::u16string pattern = wildcard ? given : ExcludeTrailingDelimiter(given);
  const std::u16string folder = ExtractFilePath(pattern);

  WIN32_FIND_DATAW fd;
  UniqueFindHandle find(FindFirstFileW(W(pattern), &fd));
  if (!find) return;  // nothing matches
  do {
    if (IsDotEntry(fd.cFileName)) continue;
    const bool is_folder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (wildcard && files_only && is_folder) continue;
    // Without wildcards the pattern itself is the path (the found name may be
    // the short one).
    const std::u16string path = wildcard ? folder + FromWide(fd.cFileName) : pattern;
    DeleteEntry(path, fd.dwFileAttributes);
  } while (wildcard && FindNextFileW(find.get(), &fd));
}

}  // namespace zk
