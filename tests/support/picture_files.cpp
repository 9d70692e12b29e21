#include "support/picture_files.h"

namespace zk::test {
namespace {

// Rows of 24- or 32-bit pixels (opaque), each padded to four bytes: the left
// half red, the right half blue.
std::string Halves(int width, int height, int bits) {
  const size_t row = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  std::string out;
  for (int y = 0; y < height; ++y) {
    std::string line(row, '\0');
    for (int x = 0; x < width; ++x) {
      const bool left = x < width / 2;
      char* pixel = &line[static_cast<size_t>(x) * bits / 8];
      pixel[0] = static_cast<char>(left ? 0 : 255);
      pixel[2] = static_cast<char>(left ? 255 : 0);
      if (bits == 32) pixel[3] = static_cast<char>(255);
    }
    out += line;
  }
  return out;
}

}  // namespace

void PutLe16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void PutLe32(std::string& out, uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

std::string InfoPart(const BmpParts& s) {
  std::string out;
  PutLe32(out, s.header_size);
  if (s.header_size == 12) {
    PutLe16(out, static_cast<uint32_t>(s.width));
    PutLe16(out, static_cast<uint32_t>(s.height));
    PutLe16(out, 1);
    PutLe16(out, s.bits);
    for (uint32_t c : s.colors) {
      PutLe16(out, c & 0xFFFF);
      out.push_back(static_cast<char>((c >> 16) & 0xFF));
    }
    return out;
  }
  PutLe32(out, static_cast<uint32_t>(s.width));
  PutLe32(out, static_cast<uint32_t>(s.height));
  PutLe16(out, 1);
  PutLe16(out, s.bits);
  PutLe32(out, s.compression);
  PutLe32(out, s.size_image);
  PutLe32(out, static_cast<uint32_t>(s.resolution));
  PutLe32(out, static_cast<uint32_t>(s.resolution));
  PutLe32(out, s.clr_used);
  PutLe32(out, 0);
  if (s.header_size > 40) {
    for (size_t i = 0; i < 4; ++i) PutLe32(out, i < s.masks.size() ? s.masks[i] : 0);
    if (s.header_size >= 108) PutLe32(out, 0x73524742);  // "sRGB"
    out.resize(s.header_size, '\0');
  } else {
    for (uint32_t m : s.masks) PutLe32(out, m);
  }
  for (uint32_t c : s.colors) PutLe32(out, c & 0xFFFFFF);
  return out;
}

std::string MakeBmp(const BmpParts& s) {
  std::string info = InfoPart(s);
  uint32_t off = s.off_bits.value_or(static_cast<uint32_t>(14 + info.size()));
  uint32_t size = s.file_size.value_or(static_cast<uint32_t>(14 + info.size() + s.pixels.size()));
  std::string out = "BM";
  PutLe32(out, size);
  PutLe32(out, 0);
  PutLe32(out, off);
  return out + info + s.pixels;
}

std::string MakeCoreBmp(uint16_t width, uint16_t height, uint16_t bits, const std::vector<uint32_t>& colors,
                        const std::string& pixels) {
  return MakeBmp(
      {.header_size = 12, .width = width, .height = height, .bits = bits, .colors = colors, .pixels = pixels});
}

std::string V5BitmapFile(int width, int height) {
  return MakeBmp({.header_size = 124, .width = width, .height = -height, .bits = 32, .compression = 3,
                  .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, .pixels = Halves(width, height, 32)});
}

std::string PlainBitmapFile(int width, int height) {
  return MakeBmp({.width = width, .height = height, .pixels = Halves(width, height, 24)});
}

std::string IconFile(const std::vector<IconImage>& images) {
  std::string b(6 + 16 * images.size(), '\0');
  Put16(b, 2, 1);
  Put16(b, 4, static_cast<uint16_t>(images.size()));
  for (size_t i = 0; i < images.size(); ++i) {
    const IconImage& m = images[i];
    const auto size = static_cast<size_t>(m.size);
    const auto bits = static_cast<uint16_t>(m.bits);
    std::string image = InfoPart({.width = m.size, .height = 2 * m.size, .bits = bits,
                                  .colors = std::vector<uint32_t>(bits <= 8 ? size_t{1} << bits : 0)});
    if (bits == 32) {
      for (size_t p = 0; p < size * size; ++p) PutLe32(image, m.colour | 0xFF000000);
    } else {
      image.append(((size * bits + 31) / 32) * 4 * size, '\0');
    }
    image.append(((size + 31) / 32) * 4 * size, '\0');  // mask: all shown
    const size_t entry = 6 + 16 * i;
    b[entry] = b[entry + 1] = static_cast<char>(size & 0xFF);
    Put16(b, entry + 4, 1), Put16(b, entry + 6, bits);
    Put32(b, entry + 8, static_cast<uint32_t>(image.size()));
    Put32(b, entry + 12, static_cast<uint32_t>(b.size()));
    b += image;
  }
  return b;
}

}  // namespace zk::test
