// The metafiles of the picture files, drawn by the platform.
#include <windows.h>

#include "support/picture_files.h"

namespace zk::test {
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
