// Reading Windows bitmap data into new DIB storage: the file layout (with the
// 14-byte file header) and the packed layout of the clipboard.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

#include "base/byte_source.h"
#include "image/dib/nk_dib.h"

namespace zk {

enum class DIBLayout { kFile, kPacked };

// Throws ENkDIBError. end, when given, receives the position behind the
// pixel data.
std::shared_ptr<TNkInternalDIB> ReadDIB(ByteSource& source, int64_t start, DIBLayout layout,
                                        int64_t* end = nullptr);

// New pixel memory of size bytes for dib (ENkDIBOutOfResources when it
// cannot be had).
void AllocatePixels(TNkInternalDIB& dib, uint64_t size);

// Turns the 16- or 32-bit rows at rows_at (available bytes from there) into
// the 24-bit pixels of dib, whose header still holds the stored bit count and
// gets the 24-bit one. Masks are red, green, blue, none zero. Gives the bytes
// of stored rows read. Throws ENkDIBError.
uint64_t ConvertMaskedRows(ByteSource& source, int64_t rows_at, uint64_t available, TNkInternalDIB& dib,
                           const uint32_t masks[3]);

}  // namespace zk
