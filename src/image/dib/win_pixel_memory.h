// Pixel memory in anonymous mappings backed by the page file, so that big
// pictures neither fragment nor bloat the heap.
#pragma once

#include "image/dib/pixel_memory.h"

namespace zk {

class PageFilePixelMemory final : public PixelMemory {
 public:
  // Throws ENkDIBOutOfResources "GetMemory: Cannot Make File Mapping Object"
  // or "GetMemory: Cannot Make View of File Map".
  std::unique_ptr<PixelBlock> Allocate(size_t size) override;
};

// Makes every DIB made from now on keep its pixels in the page file. The
// program calls this once at start-up.
void UsePageFileForPixels();

}  // namespace zk
