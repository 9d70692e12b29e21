// A look at a Windows bitmap file's headers before the platform reads it: the
// platform trusts the sizes a file claims, so a file whose headers lie is
// refused here instead.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zk {

struct BitmapFileFacts {
  int width = 0;
  int height = 0;  // absolute
  int bit_count = 0;
};

// `head` holds the first bytes of the file (at least the file header, the info
// header, its masks and the colour table when the file has them), `file_size`
// the whole file's size; the pixel data may be read at the file's data
// offset once the check passed. Returns false with a short reason when the file must
// not be handed to the platform.
bool CheckBitmapFile(std::span<const uint8_t> head, uint64_t file_size, BitmapFileFacts* facts, std::string* reason);

}  // namespace zk
