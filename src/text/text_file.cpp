#include "text/text_file.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "base/win_handles.h"
#include "base/win_text.h"
#include "text/win_code_page_decoder.h"

namespace zk {

namespace {

UniqueHandle OpenForReading(const std::u16string& path, DWORD share) {
  return UniqueHandle(CreateFileW(W(path), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::u16string& path, size_t limit) {
  UniqueHandle file = OpenForReading(path, FILE_SHARE_READ);
  if (!file) file = OpenForReading(path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
  if (!file) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return std::nullopt;
  std::string bytes(static_cast<size_t>(std::min<uint64_t>(size.QuadPart, limit)), '\0');
  size_t at = 0;
  while (at < bytes.size()) {
    DWORD done = 0;
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - at, 1u << 30));
    if (!ReadFile(file.get(), bytes.data() + at, want, &done, nullptr)) return std::nullopt;
    if (done == 0) break;  // the file shrank meanwhile
    at += done;
  }
  bytes.resize(at);
  return bytes;
}

TextFile ReadTextFile(const std::u16string& path) {
  // A file too large for the memory left is a file that cannot be read.
  try {
    if (std::optional<std::string> bytes = ReadFileBytes(path, kReadAllBytes))
      return DecodeTextBytes(std::move(*bytes), WinCodePageDecoder());
  } catch (const std::bad_alloc&) {
  }
  TextFile failed;
  failed.ReadError = true;
  return failed;
}

}  // namespace zk
