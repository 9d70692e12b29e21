// The DIB container on the platform: page-file pixel memory, drawing onto a
// memory device context, ordinary bitmaps and the clipboard's DIB format.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "image/dib/dib_error.h"
#include "image/dib/dib_expand.h"
#include "image/dib/nk_dib_win.h"
#include "image/dib/win_pixel_memory.h"
#include "image/dib_test_util.h"
#include "support/test_files.h"

namespace zk {
namespace {

using test::BmpParts;
using test::Bytes;
using test::MakeBmp;

TNkDIB Load(const std::string& bytes) {
  TNkDIB dib;
  dib.LoadFromBytes(bytes);
  return dib;
}

// Pictures in every pixel format the container holds, each pixel fully
// written (RLE pixels a run leaves out are drawn differently by drawing and
// by conversion on some platforms).
std::vector<std::pair<const char*, TNkDIB>> Samples() {
  std::vector<uint32_t> colors = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x808080};
  BmpParts rle8{.width = 5, .height = 3, .bits = 8, .compression = 1, .clr_used = 6, .colors = colors};
  rle8.pixels = Bytes({2, 1, 3, 2, 0, 0, 0, 5, 3, 4, 5, 4, 3, 0, 0, 0, 5, 5, 0, 1});
  BmpParts rle4{.width = 6, .height = 2, .bits = 4, .compression = 2, .clr_used = 6, .colors = colors};
  rle4.pixels = Bytes({6, 0x12, 0, 0, 0, 6, 0x34, 0x51, 0x23, 0, 0, 1});
  BmpParts eight{.width = 3, .height = 2, .bits = 8, .clr_used = 6, .colors = colors};
  eight.pixels = Bytes({1, 2, 3, 0, 4, 5, 0, 0});
  BmpParts four{.width = 3, .height = -2, .bits = 4, .clr_used = 6, .colors = colors};
  four.pixels = Bytes({0x12, 0x30, 0, 0, 0x45, 0x10, 0, 0});
  BmpParts one{.width = 10, .height = 2, .bits = 1, .colors = {0x102030, 0xF0E0D0}};
  one.pixels = Bytes({0xA5, 0x40, 0, 0, 0x3C, 0x80, 0, 0});
  BmpParts rgb{.width = 2, .height = 2, .bits = 24};
  rgb.pixels = Bytes({1, 2, 3, 40, 50, 60, 0, 0, 200, 100, 0, 9, 9, 9, 0, 0});
  return {{"rle8", Load(MakeBmp(rle8))}, {"rle4", Load(MakeBmp(rle4))}, {"8-bit", Load(MakeBmp(eight))},
          {"4-bit top-down", Load(MakeBmp(four))}, {"1-bit", Load(MakeBmp(one))}, {"24-bit", Load(MakeBmp(rgb))}};
}

// A 32-bit DIB section selected into a memory DC, rows from the top.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    select_.emplace(dc_.get(), bitmap_.get());
  }
  HDC dc() const { return dc_.get(); }
  uint32_t At(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
  }

 private:
  int width_;
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  uint32_t* bits_ = nullptr;
  std::optional<SelectGuard> select_;
};

// Every pixel of a bitmap as 0x00RRGGBB, rows from the top.
std::vector<uint32_t> ReadBack(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  WindowDc screen(nullptr);
  EXPECT_EQ(GetDIBits(screen.get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS), height);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

TEST(DIBWin, PixelsLiveInPageFileMappings) {
  UsePageFileForPixels();
  TNkDIB dib = Samples()[5].second;
  InstallPixelMemory(nullptr);
  MEMORY_BASIC_INFORMATION mbi{};
  ASSERT_NE(VirtualQuery(dib.Bits(), &mbi, sizeof(mbi)), 0u);
  EXPECT_EQ(mbi.Type, static_cast<DWORD>(MEM_MAPPED));

  PageFilePixelMemory memory;
  auto block = memory.Allocate(3 << 20);
  ASSERT_GE(block->size(), size_t{3} << 20);
  for (size_t i = 0; i < block->size(); i += 4096) ASSERT_EQ(block->data()[i], 0);
  block->data()[block->size() - 1] = 7;  // writable to the end
}

TEST(DIBWin, DrawingMatchesTheDecodedPixels) {
  for (auto& [name, dib] : Samples()) {
    SCOPED_TRACE(name);
    DIBPixels want = ExpandToRGB(*dib.Storage());
    Canvas canvas(dib.Width(), dib.Height());
    ASSERT_TRUE(DrawDIB(dib, canvas.dc(), RECT{0, 0, dib.Width(), dib.Height()}));
    for (int y = 0; y < dib.Height(); ++y)
      for (int x = 0; x < dib.Width(); ++x) EXPECT_EQ(canvas.At(x, y), want.At(x, y)) << x << "," << y;

    Canvas doubled(dib.Width() * 2 + 4, dib.Height() * 2 + 4);
    ASSERT_TRUE(DrawDIB(dib, doubled.dc(), RECT{4, 4, 4 + dib.Width() * 2, 4 + dib.Height() * 2}));
    for (int y = 0; y < dib.Height(); ++y)
      for (int x = 0; x < dib.Width(); ++x) EXPECT_EQ(doubled.At(5 + 2 * x, 5 + 2 * y), want.At(x, y));
    EXPECT_EQ(doubled.At(1, 1), 0u);
  }
}

TEST(DIBWin, OrdinaryBitmapsInBothDirections) {
  for (auto& [name, dib] : Samples()) {
    SCOPED_TRACE(name);
    DIBPixels want = ExpandToRGB(*dib.Storage());
    DIBBitmap made = AssignDIBToBitmap(dib);
    ASSERT_TRUE(made.bitmap);
    BITMAP bm{};
    GetObjectW(made.bitmap.get(), sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, dib.Width());
    EXPECT_EQ(bm.bmHeight, dib.Height());
    EXPECT_EQ(bm.bmBitsPixel, dib.GetBitCount());
    EXPECT_EQ(static_cast<bool>(made.palette), dib.HasPalette());
    if (made.palette) {
      EXPECT_EQ(GetPaletteEntries(made.palette.get(), 0, 0, nullptr), static_cast<UINT>(dib.Colors().size()));
      EXPECT_NE(made.palette.get(), DIBPalette(dib));  // a copy of its own
    }
    EXPECT_EQ(ReadBack(made.bitmap.get(), dib.Width(), dib.Height()), want.pixels);

    TNkDIB back;
    AssignDIBFromBitmap(back, made.bitmap.get(), made.palette.get());
    EXPECT_EQ(back.GetBitCount(), dib.GetBitCount());
    EXPECT_EQ(back.GetPixelFormat(), dib.GetBitCount() == 24 ? nkPf24Bit
                                     : dib.GetBitCount() == 8 ? nkPf8Bit
                                     : dib.GetBitCount() == 4 ? nkPf4Bit : nkPf1Bit);
    EXPECT_EQ(back.InfoHeader().biXPelsPerMeter, 3780);
    EXPECT_EQ(ExpandToRGB(*back.Storage()).pixels, want.pixels);
  }
}

TEST(DIBWin, ThirtyTwoBitBitmapsBecomeTwentyFourBits) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, -2, 1, 32, BI_RGB};
  uint32_t* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
  ASSERT_TRUE(bitmap);
  bits[0] = 0x0A141E;
  bits[5] = 0xFA8001;
  TNkDIB dib;
  AssignDIBFromBitmap(dib, bitmap.get());
  EXPECT_EQ(dib.GetBitCount(), 24);
  DIBPixels px = ExpandToRGB(*dib.Storage());
  EXPECT_EQ(px.At(0, 0), 0x0A141Eu);
  EXPECT_EQ(px.At(2, 1), 0xFA8001u);
  EXPECT_EQ(px.At(1, 0), 0u);

  try {
    AssignDIBFromBitmap(dib, nullptr);
    FAIL();
  } catch (const ENkDIBError&) {
  }
  EXPECT_EQ(dib.Width(), 3);
}

TEST(DIBWin, ClipboardFormatBlocks) {
  for (auto& [name, dib] : Samples()) {
    SCOPED_TRACE(name);
    UniqueGlobal block = SaveDIBToClipboardFormat(dib);
    ASSERT_TRUE(block);
    EXPECT_GE(GlobalSize(block.get()), dib.PackedDIBSize());
    TNkDIB back;
    LoadDIBFromClipboardFormat(back, CF_DIB, block.get());
    EXPECT_EQ(back.InfoHeader().biCompression, dib.InfoHeader().biCompression);
    EXPECT_EQ(ExpandToRGB(*back.Storage()).pixels, ExpandToRGB(*dib.Storage()).pixels);
  }
  TNkDIB dib;
  auto message = [&](UINT format, HANDLE data) {
    try {
      LoadDIBFromClipboardFormat(dib, format, data);
    } catch (const ENkDIBError& e) {
      return std::string(e.what());
    }
    return std::string("(loaded)");
  };
  UniqueGlobal block = SaveDIBToClipboardFormat(Samples()[0].second);
  EXPECT_EQ(message(CF_BITMAP, block.get()), "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
  EXPECT_EQ(message(CF_DIB, nullptr), "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data");
  static_cast<uint8_t*>(GlobalLock(block.get()))[0] = 124;
  GlobalUnlock(block.get());
  EXPECT_EQ(message(CF_DIB, block.get()), "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
}

TEST(DIBWin, ThroughTheClipboard) {
  TNkDIB dib = Samples()[0].second;
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  UniqueGlobal block = SaveDIBToClipboardFormat(dib);
  if (SetClipboardData(CF_DIB, block.get())) block.release();  // the clipboard owns it now
  CloseClipboard();

  ASSERT_TRUE(OpenClipboard(nullptr));
  TNkDIB back;
  LoadDIBFromClipboardFormat(back, CF_DIB, GetClipboardData(CF_DIB));
  CloseClipboard();
  EXPECT_EQ(ExpandToRGB(*back.Storage()).pixels, ExpandToRGB(*dib.Storage()).pixels);
}

TEST(DIBWin, FilesByName) {
  test::TempDir dir;
  std::u16string path = dir.Child(L"picture.dib");
  ASSERT_TRUE(test::WriteFileBytes(path, Samples()[5].second.SaveToBytes()));
  TNkDIB dib;
  LoadDIBFromFile(dib, path);
  EXPECT_EQ(ExpandToRGB(*dib.Storage()).pixels, ExpandToRGB(*Samples()[5].second.Storage()).pixels);
  try {
    LoadDIBFromFile(dib, dir.Child(L"missing.dib"));
    FAIL();
  } catch (const ENkDIBError& e) {
    EXPECT_STREQ(e.what(), "TNkInternalDIB.LoadFromFile: Cannot open the file");
  }
  EXPECT_EQ(dib.Width(), 2);
}

}  // namespace
}  // namespace zk
