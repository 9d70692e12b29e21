#include "base/file_byte_source.h"

#include <windows.h>

#include "base/win_text.h"

namespace zk {

FileByteSource::FileByteSource(const std::u16string& path)
    : file_(CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

int64_t FileByteSource::Size() {
  LARGE_INTEGER size{};
  if (!file_ || !GetFileSizeEx(file_.get(), &size)) return 0;
  return size.QuadPart;
}

size_t FileByteSource::ReadAt(int64_t offset, void* buf, size_t n) {
  if (!file_ || offset < 0) return 0;
  size_t total = 0;
  while (total < n) {
    OVERLAPPED at{};
    uint64_t pos = static_cast<uint64_t>(offset) + total;
    at.Offset = static_cast<DWORD>(pos);
    at.OffsetHigh = static_cast<DWORD>(pos >> 32);
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(n - total, 1u << 30)), got = 0;
    if (!ReadFile(file_.get(), static_cast<char*>(buf) + total, chunk, &got, &at) || got == 0) break;
    total += got;
  }
  return total;
}

}  // namespace zk
