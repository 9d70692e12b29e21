#include "app/picture_files.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace zk::test {
namespace {

void Put16(std::string& b, size_t at, uint16_t v) {
  if (b.size() < at + 2) b.resize(at + 2);
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>(v >> 8);
}
void Put32(std::string& b, size_t at, uint32_t v) {
  Put16(b, at, static_cast<uint16_t>(v & 0xFFFF));
  Put16(b, at + 2, static_cast<uint16_t>(v >> 16));
}

}  // namespace

std::string V5BitmapFile(int width, int height) {
  std::string b(14 + 124, '\0');
  b[0] = 'B', b[1] = 'M';
  Put32(b, 10, 14 + 124);
  Put32(b, 14, 124);
  Put32(b, 18, static_cast<uint32_t>(width));
  Put32(b, 22, static_cast<uint32_t>(-height));
  Put16(b, 26, 1);
  Put16(b, 28, 32);
  Put32(b, 30, BI_BITFIELDS);
  Put32(b, 54, 0x00FF0000), Put32(b, 58, 0x0000FF00), Put32(b, 62, 0x000000FF), Put32(b, 66, 0xFF000000);
  Put32(b, 70, 0x73524742);  // "sRGB"
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool left = x < width / 2;
      const char pixel[4] = {static_cast<char>(left ? 0 : 255), 0, static_cast<char>(left ? 255 : 0),
                             static_cast<char>(255)};
      b.append(pixel, 4);
    }
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  return b;
}

std::string PlainBitmapFile(int width, int height) {
  std::string b(54, '\0');
  b[0] = 'B', b[1] = 'M';
  Put32(b, 10, 54);
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(width));
  Put32(b, 22, static_cast<uint32_t>(height));
  Put16(b, 26, 1);
  Put16(b, 28, 24);
  const size_t row = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  for (int y = 0; y < height; ++y) {
    std::string line(row, '\0');
    for (int x = 0; x < width; ++x) {
      const bool left = x < width / 2;
      line[x * 3] = static_cast<char>(left ? 0 : 255);
      line[x * 3 + 2] = static_cast<char>(left ? 255 : 0);
    }
    b += line;
  }
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  return b;
}

std::string IconFile() {
  const int sizes[2] = {16, 48};
  std::string b(6 + 16 * 2, '\0');
  Put16(b, 2, 1);
  Put16(b, 4, 2);
  for (int i = 0; i < 2; ++i) {
    const int s = sizes[i];
    std::string image(40, '\0');
    Put32(image, 0, 40), Put32(image, 4, static_cast<uint32_t>(s)), Put32(image, 8, static_cast<uint32_t>(2 * s));
    Put16(image, 12, 1), Put16(image, 14, 32);
    for (int p = 0; p < s * s; ++p) {
      const char green[4] = {0, static_cast<char>(s == 48 ? 200 : 0), static_cast<char>(s == 48 ? 0 : 200),
                             static_cast<char>(255)};
      image.append(green, 4);
    }
    image.append(static_cast<size_t>(((s + 31) / 32) * 4 * s), '\0');  // mask: all shown
    const size_t entry = 6 + 16 * static_cast<size_t>(i);
    b[entry] = static_cast<char>(s);
    b[entry + 1] = static_cast<char>(s);
    Put16(b, entry + 4, 1), Put16(b, entry + 6, 32);
    Put32(b, entry + 8, static_cast<uint32_t>(image.size()));
    Put32(b, entry + 12, static_cast<uint32_t>(b.size()));
    b += image;
  }
  return b;
}

namespace {

// Records the drawing: a red rectangle over the left half of a 2 x 1 inch frame.
HENHMETAFILE RecordDrawing() {
  RECT frame{0, 0, 5080, 2540};  // hundredths of a millimetre
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 200, 100, nullptr);
  SetViewportExtEx(dc, 200, 100, nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT left{0, 0, 100, 100};
  FillRect(dc, &left, red);
  DeleteObject(red);
  return CloseEnhMetaFile(dc);
}

}  // namespace

std::string EnhancedMetafile() {
  HENHMETAFILE emf = RecordDrawing();
  std::string b(GetEnhMetaFileBits(emf, 0, nullptr), '\0');
  GetEnhMetaFileBits(emf, static_cast<UINT>(b.size()), reinterpret_cast<BYTE*>(b.data()));
  DeleteEnhMetaFile(emf);
  return b;
}

std::string PlaceableMetafile() {
  // A metafile of records drawn in logical units 0..2880 x 0..1440.
  HDC dc = CreateMetaFileW(nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, 2880, 1440, nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(dc, red);
  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 0, 0, 1441, 1441);
  SelectObject(dc, old);
  DeleteObject(red);
  HMETAFILE wmf = CloseMetaFile(dc);
  std::string records(GetMetaFileBitsEx(wmf, 0, nullptr), '\0');
  GetMetaFileBitsEx(wmf, static_cast<UINT>(records.size()), records.data());
  DeleteMetaFile(wmf);

  std::string b(22, '\0');
  Put32(b, 0, 0x9AC6CDD7);
  Put16(b, 10, 2880), Put16(b, 12, 1440), Put16(b, 14, 1440);
  uint16_t checksum = 0;
  for (size_t i = 0; i < 20; i += 2) checksum ^= static_cast<uint16_t>(static_cast<uint8_t>(b[i]) | static_cast<uint8_t>(b[i + 1]) << 8);
  Put16(b, 20, checksum);
  return b + records;
}

}  // namespace zk::test
