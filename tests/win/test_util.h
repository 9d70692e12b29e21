// Helpers shared by the Windows tests.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace zk::test {

// A fresh folder under the temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    wchar_t base[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, base);
    static int counter = 0;
    path_ = std::filesystem::path(base) /
            (L"zarvik-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
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

// Runs the message queue of this thread until it is empty.
void PumpMessages();

}  // namespace zk::test
