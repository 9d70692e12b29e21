// Small picture files made by the tests themselves.
#pragma once

#include <cstdint>
#include <string>

namespace zk::test {

// A Windows bitmap file with a 124-byte (V5) header, 32 bits with bit-field
// masks, top-down: the left half red, the right half blue.
std::string V5BitmapFile(int width, int height);
// The same picture in the plain 40-byte form, 24 bits, bottom-up.
std::string PlainBitmapFile(int width, int height);
// An icon file with 16 x 16 and 48 x 48 images of 32 bits; the large one green.
std::string IconFile();
// An enhanced metafile of 2 x 1 inches with a red rectangle on its left half.
std::string EnhancedMetafile();
// The same drawing as a Windows metafile with a placeable header (1440 units per inch).
std::string PlaceableMetafile();

}  // namespace zk::test
