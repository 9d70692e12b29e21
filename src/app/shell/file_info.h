// File information of a program file: its version resource values and its
// shell icons (`TFileInfo`, kept by the main window's `SysInfo`).
#pragma once

#include <windows.h>

#include <string>

#include "app/model/version_strings.h"
#include "base/win_handles.h"

namespace zk {

class TFileInfo {
 public:
  // Reads the file's version values and icons; reads again only when the
  // name differs from the last one.
  void SetFileName(const std::u16string& file_name);
  const std::u16string& FileName() const { return file_name_; }

  // Empty without a version resource; "UnKnown" for a missing ProductVersion,
  // FileDescription or FileVersion of a file that has one.
  const VersionStrings& Version() const { return version_; }
  const std::u16string& ProductVersion() const { return version_.ProductVersion; }
  const std::u16string& FileVersion() const { return version_.FileVersion; }
  const std::u16string& FileDescription() const { return version_.FileDescription; }
  bool HasVersionResource() const { return has_resource_; }

  // The shell's small and large icons of the file drawn on the button face
  // colour, 16 x 16 and 32 x 32; null when the shell gave none.
  HBITMAP SmallIcon() const { return small_icon_.get(); }
  HBITMAP LargeIcon() const { return large_icon_.get(); }

  // How often the file was read; a repeated name does not read again.
  int reads() const { return reads_; }

 private:
  void Read();

  std::u16string file_name_;
  bool named_ = false;
  bool has_resource_ = false;
  VersionStrings version_;
  UniqueBitmap small_icon_;
  UniqueBitmap large_icon_;
  int reads_ = 0;
};

// The version values of one file, read on their own.
VersionStrings ReadVersionStrings(const std::u16string& file_name, bool* has_resource = nullptr);

}  // namespace zk
