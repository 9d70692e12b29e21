#include "archive/work_folder.h"

#include <iterator>

#include "base/paths.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {

std::u16string UserTempFolder() {
  wchar_t buffer[512];
  DWORD n = GetTempPathW(static_cast<DWORD>(std::size(buffer)), buffer);
  if (n == 0 || n >= std::size(buffer)) return {};
  return IncludeTrailingDelimiter(FromWide(std::wstring_view(buffer, n)));
}

std::u16string PrepareWorkFolder(const FolderDeletion& deletion,
                                 const std::function<void(const std::u16string&)>& show_message,
                                 const std::u16string& temp_folder) {
  std::u16string path = IncludeTrailingDelimiter(temp_folder) + u"zk1.tmp";
  try {
    if (FolderExists(path)) {
      if (deletion.empty) deletion.empty(path);
    } else if (CreateDirectoryW(W(path), nullptr)) {
      DWORD attributes = GetFileAttributesW(W(path));
      if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(W(path), attributes | FILE_ATTRIBUTE_HIDDEN);
    } else {
      MessageBeep(MB_ICONEXCLAMATION);
      const std::u16string text = u"作業フォルダ<" + path + u">" + u"\r" + u"の作成に失敗しました";
      if (show_message) show_message(text);
    }
  } catch (...) {
    // Nothing here may stop the program from starting.
  }
  return path;
}

void CleanUpWorkFolder(const FolderDeletion& deletion, const std::u16string& work_folder) {
  if (deletion.empty) deletion.empty(work_folder);
  if (deletion.remove) deletion.remove(work_folder);
}

}  // namespace zk
