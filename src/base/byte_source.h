// Random access to a file's bytes, so that a reader can take the few parts it
// needs of a big file without loading all of it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zk {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The length in bytes; 0 when it cannot be told.
  virtual int64_t Size() = 0;
  // Copies up to n bytes from offset into buf and returns how many were copied:
  // fewer at the end or on a read error, 0 past the end.
  virtual size_t ReadAt(int64_t offset, void* buf, size_t n) = 0;
};

// Bytes held elsewhere, read in place.
class SpanByteSource : public ByteSource {
 public:
  explicit SpanByteSource(std::string_view bytes) : bytes_(bytes) {}
  int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
  size_t ReadAt(int64_t offset, void* buf, size_t n) override {
    if (offset < 0 || static_cast<uint64_t>(offset) >= bytes_.size()) return 0;
    size_t count = std::min(n, bytes_.size() - static_cast<size_t>(offset));
    std::memcpy(buf, bytes_.data() + offset, count);
    return count;
  }

 private:
  std::string_view bytes_;
};

// Bytes held in memory (a copy of what it is given).
class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes), view_(bytes_) {}
  int64_t Size() override { return view_.Size(); }
  size_t ReadAt(int64_t offset, void* buf, size_t n) override { return view_.ReadAt(offset, buf, n); }

 private:
  std::string bytes_;
  SpanByteSource view_;
};

}  // namespace zk
