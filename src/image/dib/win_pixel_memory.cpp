#include "image/dib/win_pixel_memory.h"

#include <windows.h>

#include <cstdint>

#include "base/win_handles.h"
#include "image/dib/dib_error.h"

namespace zk {
namespace {

class MappedBlock final : public PixelBlock {
 public:
  MappedBlock(UniqueHandle mapping, void* view, size_t size)
      : PixelBlock(static_cast<uint8_t*>(view), size), mapping_(std::move(mapping)) {}
  ~MappedBlock() override { UnmapViewOfFile(data()); }

 private:
  UniqueHandle mapping_;
};

}  // namespace

std::unique_ptr<PixelBlock> PageFilePixelMemory::Allocate(size_t size) {
  if (size == 0) size = 1;
  const uint64_t wide = size;
  // Pages of a new mapping are zero, as a pixel block must be.
  UniqueHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                          static_cast<DWORD>(wide >> 32), static_cast<DWORD>(wide), nullptr));
  if (!mapping) throw ENkDIBOutOfResources(dib_messages::kNoMappingObject);
  void* view = MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, size);
  if (!view) throw ENkDIBOutOfResources(dib_messages::kNoMapView);
  try {
    return std::make_unique<MappedBlock>(std::move(mapping), view, size);
  } catch (...) {
    UnmapViewOfFile(view);
    throw;
  }
}

void UsePageFileForPixels() {
  static PageFilePixelMemory memory;
  InstallPixelMemory(&memory);
}

}  // namespace zk
