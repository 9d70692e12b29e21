// The set-up the platform's open and save dialogs share: the owner, a title,
// a filter written "name|pattern|name|pattern" and a file-name buffer of the
// longest path, already placed in `ofn` for the caller to add its flags to.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

namespace zk {

class FileDialogSetup {
 public:
  FileDialogSetup(HWND owner, const std::u16string& title, const std::u16string& filter,
                  const std::u16string& file_name);
  FileDialogSetup(const FileDialogSetup&) = delete;  // ofn points into the object
  FileDialogSetup& operator=(const FileDialogSetup&) = delete;

  OPENFILENAMEW ofn{};
  // The file name the dialog returned.
  std::u16string FileName() const;

 private:
  std::wstring filter_, title_;
  std::vector<wchar_t> file_;
};

}  // namespace zk
