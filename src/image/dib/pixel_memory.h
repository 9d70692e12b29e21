// Where the pixels of a DIB live. The program keeps them in anonymous mappings
// backed by the page file, so that big pictures do not fragment the heap; the
// native tests use ordinary memory. The storage asks the memory installed
// here for every block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zk {

// One zero-filled block of pixel memory, released with the object.
class PixelBlock {
 public:
  virtual ~PixelBlock() = default;
  uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 protected:
  PixelBlock(uint8_t* data, size_t size) : data_(data), size_(size) {}

 private:
  uint8_t* data_;
  size_t size_;
};

class PixelMemory {
 public:
  virtual ~PixelMemory() = default;
  // A zero-filled block of at least one byte; throws ENkDIBOutOfResources
  // when the memory cannot be had.
  virtual std::unique_ptr<PixelBlock> Allocate(size_t size) = 0;
};

// Ordinary heap memory.
class HeapPixelMemory final : public PixelMemory {
 public:
  std::unique_ptr<PixelBlock> Allocate(size_t size) override;
};

// The memory new pixel blocks come from: the one installed last, else the heap.
PixelMemory& CurrentPixelMemory();
// Installs memory for all later blocks (nullptr: back to the heap). The memory
// must outlive every DIB made while it is installed.
void InstallPixelMemory(PixelMemory* memory);

}  // namespace zk
