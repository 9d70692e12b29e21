// Bytes and pixel memory that records what it was asked for, for the DIB
// container's tests; the bitmaps come from the picture-file builder.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>

#include "image/dib/pixel_memory.h"
#include "support/picture_files.h"

namespace zk::test {

inline std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

// Heap memory that remembers the largest block asked for; installed for the
// lifetime of the object.
class RecordingPixelMemory final : public PixelMemory {
 public:
  RecordingPixelMemory() { InstallPixelMemory(this); }
  ~RecordingPixelMemory() override { InstallPixelMemory(nullptr); }
  std::unique_ptr<PixelBlock> Allocate(size_t size) override {
    largest = std::max(largest, size);
    return heap_.Allocate(size);
  }
  size_t largest = 0;

 private:
  HeapPixelMemory heap_;
};

}  // namespace zk::test
