// The picture information record the plug-ins fill in, packed as the
// plug-in interface lays it out. The 32-bit interface carries a 32-bit text
// handle (26 bytes); 64-bit plug-ins keep the same fields with an 8-byte
// handle at the same offset (30 bytes). Both layouts are fixed here so that
// either build checks the other's as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace zk {

#pragma pack(push, 1)
template <typename TextHandle>
struct SpiPictureInfoLayout {
  int32_t left;
  int32_t top;
  int32_t width;
  int32_t height;
  uint16_t x_density;
  uint16_t y_density;
  int16_t color_depth;
  TextHandle info_text;  // a local memory handle the host frees with the picture
};
#pragma pack(pop)

using SpiPictureInfo32 = SpiPictureInfoLayout<uint32_t>;
using SpiPictureInfo64 = SpiPictureInfoLayout<uint64_t>;

static_assert(sizeof(SpiPictureInfo32) == 26);
static_assert(offsetof(SpiPictureInfo32, width) == 8);
static_assert(offsetof(SpiPictureInfo32, color_depth) == 20);
static_assert(offsetof(SpiPictureInfo32, info_text) == 22);
static_assert(sizeof(SpiPictureInfo64) == 30);
static_assert(offsetof(SpiPictureInfo64, color_depth) == 20);
static_assert(offsetof(SpiPictureInfo64, info_text) == 22);

// The layout of the build's own plug-ins: handles are pointer-sized.
using SpiPictureInfo = SpiPictureInfoLayout<std::conditional_t<sizeof(void*) == 8, uint64_t, uint32_t>>;
static_assert(sizeof(SpiPictureInfo) == (sizeof(void*) == 8 ? 30 : 26));

}  // namespace zk
