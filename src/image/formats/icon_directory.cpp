#include "image/formats/icon_directory.h"

#include <cstring>

#include "image/decoders/pixel_sink.h"
#include "image/formats/byte_reader.h"

namespace zk {
namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

// Reads the image's own size and depth; false when its header is not sound.
bool ReadImageHeader(std::span<const uint8_t> data, IconImage& image) {
  formats::LeReader r(data);
  if (data.size() >= 24 && std::memcmp(data.data(), kPngSignature, 8) == 0) {
    // The IHDR chunk comes first: width and height big-endian.
    image.png = true;
    image.width = static_cast<int>(r.BigU32(16));
    image.height = static_cast<int>(r.BigU32(20));
    image.bit_count = 32;
    return image.width > 0 && image.height > 0;
  }
  if (!r.Has(0, 40) || r.U32(0) != 40) return false;
  const int32_t width = r.I32(4);
  const int32_t double_height = r.I32(8);  // the colour rows and the mask rows
  const int bit_count = r.U16(14);
  if (width <= 0 || double_height <= 1 || double_height % 2 != 0) return false;
  if (bit_count != 1 && bit_count != 4 && bit_count != 8 && bit_count != 16 && bit_count != 24 && bit_count != 32)
    return false;
  image.width = width;
  image.height = double_height / 2;
  image.bit_count = bit_count;
  // Colour rows, the colour table and the mask rows must all be there.
  const uint64_t color_row = ((static_cast<uint64_t>(width) * bit_count + 31) / 32) * 4;
  const uint64_t mask_row = ((static_cast<uint64_t>(width) + 31) / 32) * 4;
  const uint64_t colors = bit_count <= 8 ? (r.U32(32) ? r.U32(32) : (1u << bit_count)) : 0;
  if (colors > 256) return false;
  const uint64_t needed = 40 + colors * 4 + (color_row + mask_row) * static_cast<uint64_t>(image.height);
  return needed <= data.size();
}

}  // namespace

std::vector<IconImage> ReadIconDirectory(std::span<const uint8_t> file) {
  std::vector<IconImage> images;
  formats::LeReader r(file);
  const uint16_t type = r.U16(2);
  if (!r.Has(0, 6) || r.U16(0) != 0 || (type != 1 && type != 2)) return images;
  const size_t count = r.U16(4);
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * i;
    if (!r.Has(entry, 16)) break;
    IconImage image;
    image.size = r.U32(entry + 8);
    image.offset = r.U32(entry + 12);
    if (image.size == 0 || !r.Has(image.offset, image.size)) continue;
    if (!ReadImageHeader(file.subspan(image.offset, image.size), image)) continue;
    if (!PictureSizeJustified(image.width, image.height, static_cast<int64_t>(image.size))) continue;
    images.push_back(image);
  }
  return images;
}

std::optional<IconImage> ChooseIconImage(std::span<const uint8_t> file) {
  std::optional<IconImage> best;
  for (const IconImage& image : ReadIconDirectory(file)) {
    const int64_t area = int64_t{image.width} * image.height;
    if (!best) {
      best = image;
      continue;
    }
    const int64_t best_area = int64_t{best->width} * best->height;
    if (area > best_area || (area == best_area && image.bit_count > best->bit_count)) best = image;
  }
  return best;
}

}  // namespace zk
