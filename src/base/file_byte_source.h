// A file on disk as a ByteSource: the readers take the parts they need
// without loading the whole file.
#pragma once

#include <string>

#include "base/byte_source.h"
#include "base/win_handles.h"

namespace zk {

class FileByteSource final : public ByteSource {
 public:
  // Opens for reading, letting others read and write; check is_open().
  explicit FileByteSource(const std::u16string& path);
  bool is_open() const { return static_cast<bool>(file_); }
  int64_t Size() override;
  size_t ReadAt(int64_t offset, void* buf, size_t n) override;

 private:
  UniqueHandle file_;
};

}  // namespace zk
