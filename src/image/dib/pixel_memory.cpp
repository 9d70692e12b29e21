#include "image/dib/pixel_memory.h"

#include <cstdlib>

#include "image/dib/dib_error.h"

namespace zk {
namespace {

class HeapBlock final : public PixelBlock {
 public:
  HeapBlock(uint8_t* data, size_t size) : PixelBlock(data, size) {}
  ~HeapBlock() override { std::free(data()); }
};

PixelMemory* installed = nullptr;

}  // namespace

std::unique_ptr<PixelBlock> HeapPixelMemory::Allocate(size_t size) {
  if (size == 0) size = 1;
  auto* data = static_cast<uint8_t*>(std::calloc(size, 1));
  if (!data) throw ENkDIBOutOfResources(dib_messages::kHeapExhausted);
  try {
    return std::make_unique<HeapBlock>(data, size);
  } catch (...) {
    std::free(data);
    throw;
  }
}

PixelMemory& CurrentPixelMemory() {
  static HeapPixelMemory heap;
  return installed ? *installed : heap;
}

void InstallPixelMemory(PixelMemory* memory) { installed = memory; }

}  // namespace zk
