// The picture a plug-in hands back: a block with a bitmap info header and its
// colour table, and a block of pixel rows. Both come from outside code, so
// every size is checked against the blocks' real sizes before anything is
// read, and the picture is carried on as an ordinary bitmap file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zk {

struct SpiBitmapFacts {
  int width = 0;
  int height = 0;  // as stored: negative for rows from the top
  int bit_count = 0;
  int colors = 0;         // the used-colours field, or the full table for 1, 4 and 8 bits
  size_t header_size = 0; // where the colour table starts in the info block
  size_t info_size = 0;   // 40 + 4 * colors
  size_t image_size = 0;  // whole 32-bit aligned rows
};

// The facts of a plug-in's picture, or nothing when the header is not a
// plain (uncompressed) bitmap or claims more than the blocks hold.
std::optional<SpiBitmapFacts> CheckSpiBitmap(std::span<const uint8_t> info_block, size_t bits_block_size);

// A Windows bitmap file of the checked picture: the 14-byte file header, the
// 40-byte info header with its colour table, then the pixel rows.
std::string SpiBitmapFile(std::span<const uint8_t> info_block, std::span<const uint8_t> bits,
                          const SpiBitmapFacts& facts);

}  // namespace zk
