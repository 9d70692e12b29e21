#include "support/test_files.h"

#include "base/win_text.h"
#include "desktop/delete_tree.h"

namespace zk::test {

std::u16string TempPath() {
  wchar_t base[MAX_PATH + 1];
  return FromWide(std::wstring(base, GetTempPathW(MAX_PATH + 1, base)));
}

TempDir::TempDir() {
  static int counter = 0;
  path_ = std::filesystem::path(ToWide(TempPath())) /
          (L"zarvik-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
  DeleteForGood(u16(), false);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() { DeleteForGood(u16(), false); }

bool WriteFileBytes(const std::u16string& path, const std::string& bytes) {
  HANDLE f = CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  BOOL ok = bytes.empty() || WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(f);
  return ok && done == bytes.size();
}

bool MakeFileOfSize(const std::u16string& path, long long size) {
  HANDLE f = CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER at;
  at.QuadPart = size;
  BOOL ok = SetFilePointerEx(f, at, nullptr, FILE_BEGIN) && SetEndOfFile(f);
  CloseHandle(f);
  return ok;
}

std::string ReadFileBytes(const std::u16string& path) {
  HANDLE f = CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string out;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(f, buf, sizeof(buf), &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(f);
  return out;
}

bool MakeFile(const std::u16string& path, DWORD attributes) {
  return WriteFileBytes(path, "data") && SetFileAttributesW(W(path), attributes) != FALSE;
}

bool MakeFolder(const std::u16string& path, DWORD attributes) {
  if (!CreateDirectoryW(W(path), nullptr)) return false;
  return attributes == 0 || SetFileAttributesW(W(path), attributes | FILE_ATTRIBUTE_DIRECTORY) != FALSE;
}

bool Exists(const std::u16string& path) { return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES; }

int CountEntries(const std::u16string& folder) {
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

std::u16string BinFile(const wchar_t* name) {
  wchar_t buf[MAX_PATH * 2];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH * 2);
  return TempDir::Str(std::filesystem::path(std::wstring(buf, n)).parent_path() / name);
}

}  // namespace zk::test
