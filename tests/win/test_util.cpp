#include "win/test_util.h"

namespace zk::test {

static const wchar_t* Wp(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

bool WriteFileBytes(const std::u16string& path, const std::string& bytes) {
  HANDLE f = CreateFileW(Wp(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  BOOL ok = bytes.empty() || WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(f);
  return ok && done == bytes.size();
}

bool MakeFileOfSize(const std::u16string& path, long long size) {
  HANDLE f = CreateFileW(Wp(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER at;
  at.QuadPart = size;
  BOOL ok = SetFilePointerEx(f, at, nullptr, FILE_BEGIN) && SetEndOfFile(f);
  CloseHandle(f);
  return ok;
}

std::string ReadFileBytes(const std::u16string& path) {
  HANDLE f = CreateFileW(Wp(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string out;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(f, buf, sizeof(buf), &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(f);
  return out;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace zk::test
