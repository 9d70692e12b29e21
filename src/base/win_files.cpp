#include "base/win_files.h"

#include <windows.h>

#include "base/win_handles.h"
#include "base/win_text.h"

namespace zk {

bool FileExists(const std::u16string& path) {
  if (path.empty()) return false;
  DWORD a = GetFileAttributesW(W(path));
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::u16string& path) {
  if (path.empty()) return false;
  DWORD a = GetFileAttributesW(W(path));
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

int64_t FileSizeOf(const std::u16string& path) {
  // A path with wildcards would match some other entry.
  if (path.empty() || path.find_first_of(u"*?") != std::u16string::npos) return -1;
  WIN32_FIND_DATAW fd;
  UniqueFindHandle find(FindFirstFileW(W(path), &fd));
  if (!find) return -1;
  return (static_cast<int64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
}

std::optional<std::string> ReadWholeFile(const std::u16string& path) {
  UniqueHandle file(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD done = 0;
  size_t at = 0;
  while (at < bytes.size()) {
    if (!ReadFile(file.get(), bytes.data() + at, static_cast<DWORD>(bytes.size() - at), &done, nullptr))
      return std::nullopt;
    if (done == 0) break;  // shrank meanwhile
    at += done;
  }
  bytes.resize(at);
  return bytes;
}

bool WriteWholeFile(const std::u16string& path, const std::string& bytes) {
  std::u16string temp = path + u".new";
  {
    UniqueHandle file(CreateFileW(W(temp), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD done = 0;
    if (!bytes.empty() && (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
                           done != bytes.size())) {
      file.reset();
      DeleteFileW(W(temp));
      return false;
    }
  }
  if (!MoveFileExW(W(temp), W(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(W(temp));
    return false;
  }
  return true;
}

std::u16string ProgramPath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n < buf.size()) {
      buf.resize(n);
      return FromWide(buf);
    }
    buf.resize(buf.size() * 2);
  }
}

}  // namespace zk
