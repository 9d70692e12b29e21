// Files and folders for the Windows tests: a scratch folder of its own for
// each test, and small helpers to fill and inspect it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace zk::test {

// The system's temporary folder, with a delimiter at the end.
std::u16string TempPath();

// A fresh folder under the temporary folder, removed with everything in it
// (read-only entries included) afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::u16string u16() const { return Str(path_); }
  std::u16string Child(const std::wstring& name) const { return Str(path_ / name); }

  static std::u16string Str(const std::filesystem::path& p) {
    std::wstring w = p.wstring();
    return std::u16string(w.begin(), w.end());
  }

 private:
  std::filesystem::path path_;
};

// Writes a file of the given bytes.
bool WriteFileBytes(const std::u16string& path, const std::string& bytes);
// Makes a file of the given size without writing its content (sparse where
// the file system allows).
bool MakeFileOfSize(const std::u16string& path, long long size);
std::string ReadFileBytes(const std::u16string& path);
// A small file with the given attributes.
bool MakeFile(const std::u16string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
bool MakeFolder(const std::u16string& path, DWORD attributes = 0);
bool Exists(const std::u16string& path);
// The number of entries in a folder, "." and ".." not counted; -1 when the
// folder cannot be listed.
int CountEntries(const std::u16string& folder);

// A file beside the test program (the build's bin folder).
std::u16string BinFile(const wchar_t* name);

}  // namespace zk::test
