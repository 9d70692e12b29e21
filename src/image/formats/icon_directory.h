// The images of an icon file and the one worth showing: the largest, and of
// those the one with the most colours.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zk {

struct IconImage {
  size_t offset = 0;  // of the image data in the file
  size_t size = 0;
  int width = 0;      // from the image data itself; the directory may round or lie
  int height = 0;
  int bit_count = 0;
  bool png = false;   // PNG data instead of a bitmap with its mask
};

// Every image whose data lies inside the file and whose header is sound.
// Empty when the file is no icon file.
std::vector<IconImage> ReadIconDirectory(std::span<const uint8_t> file);

// The best of them, or nothing.
std::optional<IconImage> ChooseIconImage(std::span<const uint8_t> file);

}  // namespace zk
