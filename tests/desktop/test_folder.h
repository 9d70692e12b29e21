// A scratch folder of its own for each Windows test, removed with everything
// in it afterwards, and small helpers to fill and inspect it.
#pragma once

#include <windows.h>

#include <string>

#include "base/win_text.h"
#include "desktop/delete_tree.h"

namespace zk::test {

class TestFolder {
 public:
  TestFolder() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    static int serial = 0;
    path_ = FromWide(temp) + u"zk_test_" + FromWide(std::to_wstring(GetCurrentProcessId())) + u"_" +
            FromWide(std::to_wstring(++serial));
    DeleteForGood(path_, false);
    CreateDirectoryW(W(path_), nullptr);
  }
  ~TestFolder() { DeleteForGood(path_, false); }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::u16string& path() const { return path_; }
  std::u16string operator/(const std::u16string& name) const { return path_ + u"\\" + name; }

 private:
  std::u16string path_;
};

inline bool MakeFile(const std::u16string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  HANDLE h = CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(h, "data", 4, &written, nullptr);
  CloseHandle(h);
  return SetFileAttributesW(W(path), attributes) != FALSE;
}

inline bool MakeFolder(const std::u16string& path, DWORD attributes = 0) {
  if (!CreateDirectoryW(W(path), nullptr)) return false;
  return attributes == 0 || SetFileAttributesW(W(path), attributes | FILE_ATTRIBUTE_DIRECTORY) != FALSE;
}

inline bool Exists(const std::u16string& path) { return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES; }

// The number of entries in a folder, "." and ".." not counted; -1 when the
// folder cannot be listed.
inline int CountEntries(const std::u16string& folder) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(W(folder + u"\\*"), &fd);
  if (h == INVALID_HANDLE_VALUE) return -1;
  int n = 0;
  do {
    std::wstring name = fd.cFileName;
    if (name != L"." && name != L"..") ++n;
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return n;
}

}  // namespace zk::test
