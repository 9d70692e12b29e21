// Reading Windows bitmap data into the DIB container.
#include <gtest/gtest.h>

#include "image/dib/dib_error.h"
#include "image/dib/dib_expand.h"
#include "image/dib/nk_dib.h"
#include "image/dib_test_util.h"

namespace zk {
namespace {

using test::BmpParts;
using test::Bytes;
using test::MakeBmp;
using test::MakeCoreBmp;

std::string LoadError(const std::string& bytes) {
  TNkDIB dib;
  try {
    dib.LoadFromBytes(bytes);
  } catch (const ENkDIBError& e) {
    return e.what();
  }
  return "(loaded)";
}

TNkDIB Load(const std::string& bytes) {
  TNkDIB dib;
  dib.LoadFromBytes(bytes);
  return dib;
}

std::string Row16(std::initializer_list<uint16_t> pixels) {
  std::string row;
  for (uint16_t p : pixels) test::PutLe16(row, p);
  while (row.size() % 4) row.push_back(0);
  return row;
}

TEST(DIBRead, TwentyFourBitsKeepsRowsAndFillsDefaults) {
  // 2 x 2, bottom row first: blue, green / red, white.
  BmpParts s{.width = 2, .height = 2, .bits = 24};
  s.pixels = Bytes({255, 0, 0, 0, 255, 0, 0, 0}) + Bytes({0, 0, 255, 255, 255, 255, 0, 0});
  TNkDIB dib = Load(MakeBmp(s));
  EXPECT_EQ(dib.Width(), 2);
  EXPECT_EQ(dib.Height(), 2);
  EXPECT_EQ(dib.GetBitCount(), 24);
  EXPECT_EQ(dib.GetPixelFormat(), nkPf24Bit);
  EXPECT_EQ(dib.InfoHeader().biXPelsPerMeter, 3780);
  EXPECT_EQ(dib.InfoHeader().biYPelsPerMeter, 3780);
  EXPECT_EQ(dib.InfoHeader().biClrUsed, 0u);
  EXPECT_FALSE(dib.HasPalette());
  DIBPixels px = ExpandToRGB(*dib.Storage());
  EXPECT_EQ(px.At(0, 0), 0xFF0000u);
  EXPECT_EQ(px.At(1, 0), 0xFFFFFFu);
  EXPECT_EQ(px.At(0, 1), 0x0000FFu);
  EXPECT_EQ(px.At(1, 1), 0x00FF00u);
}

TEST(DIBRead, SixteenBitsWithoutMasksUseFiveBitsPerChannel) {
  BmpParts s{.width = 3, .height = 1, .bits = 16, .resolution = 2835};
  // red 31, green 16, blue 0 | red 0, green 0, blue 31 | white
  s.pixels = Row16({31 << 10 | 16 << 5, 31, 0x7FFF});
  TNkDIB dib = Load(MakeBmp(s));
  const BitmapInfoHeader& h = dib.InfoHeader();
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, 0u);
  EXPECT_EQ(h.biSizeImage, 0u);
  EXPECT_EQ(h.biXPelsPerMeter, 2835);
  ASSERT_EQ(dib.BitsSize(), 12u);  // 9 bytes of pixels, rounded to words
  std::string row(reinterpret_cast<const char*>(dib.Bits()), 12);
  EXPECT_EQ(row, Bytes({0, 131, 255, 255, 0, 0, 255, 255, 255, 0, 0, 0}));
}

TEST(DIBRead, SixteenBitsWithMasksAndTheColourTableBehindThem) {
  BmpParts s{.width = 2, .height = 1, .bits = 16, .compression = 3, .clr_used = 2};
  s.masks = {0xF800, 0x7E0, 0x1F};
  s.colors = {0x102030, 0x405060};
  s.pixels = Row16({0xFFFF, 32 << 5});
  TNkDIB dib = Load(MakeBmp(s));
  EXPECT_EQ(dib.GetBitCount(), 24);
  EXPECT_EQ(dib.InfoHeader().biCompression, 0u);
  ASSERT_EQ(dib.Colors().size(), 2u);
  EXPECT_EQ(dib.Colors()[0], (RgbQuad{0x30, 0x20, 0x10, 0}));
  EXPECT_EQ(dib.Colors()[1], (RgbQuad{0x60, 0x50, 0x40, 0}));
  DIBPixels px = ExpandToRGB(*dib.Storage());
  EXPECT_EQ(px.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(px.At(1, 0), 0x008100u);  // green 32 of 63: 128 * 255 / 252
}

TEST(DIBRead, ThirtyTwoBitsFromTheTopAreConvertedAndStayTopDown) {
  BmpParts s{.width = 1, .height = -2, .bits = 32};
  s.pixels = Bytes({0x11, 0x22, 0x33, 0x99, 0x44, 0x55, 0x66, 0x99});
  TNkDIB dib = Load(MakeBmp(s));
  EXPECT_TRUE(dib.TopDown());
  EXPECT_EQ(dib.Height(), 2);
  DIBPixels px = ExpandToRGB(*dib.Storage());
  EXPECT_EQ(px.At(0, 0), 0x332211u);
  EXPECT_EQ(px.At(0, 1), 0x665544u);

  BmpParts m{.width = 1, .height = 1, .bits = 32, .compression = 3};
  m.masks = {0xFF000000, 0xFF0000, 0xFF00};  // channels in the upper three bytes
  m.pixels = Bytes({0x00, 0x10, 0x80, 0xFF});
  EXPECT_EQ(ExpandToRGB(*Load(MakeBmp(m)).Storage()).At(0, 0), 0xFF8010u);
}

TEST(DIBRead, EightBitsWithZeroUsedColoursReadAllEntries) {
  BmpParts s{.width = 1, .height = 1, .bits = 8};
  s.colors.assign(256, 0);
  s.colors[255] = 0xABCDEF;
  s.pixels = Bytes({255, 0, 0, 0});
  TNkDIB dib = Load(MakeBmp(s));
  EXPECT_EQ(dib.InfoHeader().biClrUsed, 256u);
  EXPECT_EQ(dib.Colors().size(), 256u);
  EXPECT_TRUE(dib.HasPalette());
  EXPECT_EQ(ExpandToRGB(*dib.Storage()).At(0, 0), 0xABCDEFu);

  // More entries than 256: the rest is skipped up to the data offset.
  BmpParts over{.width = 1, .height = 1, .bits = 8, .clr_used = 300};
  over.colors.assign(300, 0x010203);
  over.colors[7] = 0x778899;
  over.pixels = Bytes({7, 0, 0, 0});
  dib = Load(MakeBmp(over));
  EXPECT_EQ(dib.InfoHeader().biClrUsed, 256u);
  EXPECT_EQ(ExpandToRGB(*dib.Storage()).At(0, 0), 0x778899u);
}

TEST(DIBRead, RleStaysCompressedAndDecodes) {
  // 6 x 3: row 0 a run and a literal group with padding, row 1 skipped by a
  // delta into row 2, which ends the picture early.
  BmpParts s{.width = 6, .height = 3, .bits = 8, .compression = 1, .clr_used = 4};
  s.colors = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  s.pixels = Bytes({3, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 1, 2, 3, 0, 1});
  s.size_image = 9999;  // lies; the data held is what counts
  TNkDIB dib = Load(MakeBmp(s));
  EXPECT_EQ(dib.GetPixelFormat(), nkPf8BitRLE);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dib.Bits()), dib.BitsSize()), s.pixels);
  EXPECT_EQ(dib.InfoHeader().biSizeImage, s.pixels.size());
  DIBPixels px = ExpandToRGB(*dib.Storage());
  const uint32_t K = 0, R = 0xFF0000, G = 0x00FF00, B = 0x0000FF;
  std::vector<uint32_t> want = {K, B, B, K, K, K,   // top row: the delta landed at x 1
                                K, K, K, K, K, K,   // skipped by the delta
                                R, R, R, G, B, G};  // bottom row: a run, then a literal group
  EXPECT_EQ(px.pixels, want);

  BmpParts four{.width = 5, .height = 1, .bits = 4, .compression = 2, .clr_used = 3};
  four.colors = {0x000000, 0x111111, 0x222222};
  four.pixels = Bytes({3, 0x12, 0, 3, 0x21, 0x10, 0, 1});  // run 1 2 1, literal 2 1 1 (clipped)
  dib = Load(MakeBmp(four));
  EXPECT_EQ(dib.GetPixelFormat(), nkPf4BitRLE);
  EXPECT_EQ(ExpandToRGB(*dib.Storage()).pixels, (std::vector<uint32_t>{0x111111, 0x222222, 0x111111, 0x222222, 0x111111}));
}

TEST(DIBRead, DataOffsetInsideTheColourTableIsRefused) {
  BmpParts s{.width = 1, .height = 1, .bits = 8, .clr_used = 4, .off_bits = 14 + 40 + 8};
  s.colors = {0, 0, 0, 0};
  s.pixels = Bytes({0, 0, 0, 0});
  EXPECT_EQ(LoadError(MakeBmp(s)), "TNkInternalDIB.LoadFromFile: bfOffBits is too small");
  s.off_bits = 14 + 40 + 16;
  EXPECT_EQ(LoadError(MakeBmp(s)), "(loaded)");
  BmpParts m{.width = 1, .height = 1, .bits = 16, .compression = 3, .off_bits = 14 + 40 + 8};
  m.masks = {0x7C00, 0x3E0, 0x1F};
  m.pixels = Bytes({0, 0, 0, 0});
  EXPECT_EQ(LoadError(MakeBmp(m)), "TNkInternalDIB.LoadFromFile: bfOffBits is too small");
}

TEST(DIBRead, CoreHeaderIsTurnedIntoAnInfoHeader) {
  TNkDIB dib = Load(MakeCoreBmp(2, 1, 24, {}, Bytes({1, 2, 3, 4, 5, 6, 0, 0})));
  const BitmapInfoHeader& h = dib.InfoHeader();
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 2);
  EXPECT_EQ(h.biHeight, 1);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, 0u);
  EXPECT_EQ(h.biSizeImage, 0u);
  EXPECT_EQ(h.biXPelsPerMeter, 3780);
  EXPECT_EQ(h.biClrUsed, 0u);
  EXPECT_EQ(ExpandToRGB(*dib.Storage()).At(1, 0), 0x060504u);

  std::vector<uint32_t> colors(16, 0);
  colors[9] = 0x123456;
  TNkDIB four = Load(MakeCoreBmp(1, 1, 4, colors, Bytes({0x90, 0, 0, 0})));
  EXPECT_EQ(four.InfoHeader().biClrUsed, 16u);
  EXPECT_EQ(four.Colors()[9], (RgbQuad{0x56, 0x34, 0x12, 0}));
  EXPECT_EQ(ExpandToRGB(*four.Storage()).At(0, 0), 0x123456u);
}

TEST(DIBRead, HeaderErrorsGiveTheirMessages) {
  BmpParts ok{.width = 1, .height = 1, .bits = 24, .pixels = Bytes({0, 0, 0, 0})};
  std::string file = MakeBmp(ok);
  std::string not_bm = file;
  not_bm[0] = 'X';
  EXPECT_EQ(LoadError(not_bm), "TNkInternalDIB.LoadFromFile: File type is invalid");
  std::string v5 = file;
  v5[14] = 124;
  EXPECT_EQ(LoadError(v5), "TNkInternalDIB.LoadFromStream: Invalid Bitmap Header Size");

  auto with = [&](auto change) {
    BmpParts s = ok;
    change(s);
    return LoadError(MakeBmp(s));
  };
  EXPECT_EQ(with([](BmpParts& s) { s.bits = 2; }), "TNkInternalDIB.LoadFromStream: Invalid BitCout");
  EXPECT_EQ(with([](BmpParts& s) { s.width = 0; }), "TNkInternalDIB.LoadFromStream: Invalid Width or Height");
  EXPECT_EQ(with([](BmpParts& s) { s.width = -1; }), "TNkInternalDIB.LoadFromStream: Invalid Width or Height");
  EXPECT_EQ(with([](BmpParts& s) { s.height = 0; }), "TNkInternalDIB.LoadFromStream: Invalid Width or Height");
  EXPECT_EQ(with([](BmpParts& s) { s.compression = 1; }), "TNkInternalDIB.GetPixelFormat: Invalid DIB(24Bit)");
  EXPECT_EQ(with([](BmpParts& s) { s.bits = 8, s.compression = 2, s.clr_used = 1, s.colors = {0}; }), "TNkInternalDIB.GetPixelFormat: Invalid DIB(8Bit)");
  EXPECT_EQ(with([](BmpParts& s) { s.bits = 4, s.compression = 1, s.clr_used = 1, s.colors = {0}; }), "TNkInternalDIB.GetPixelFormat: Invalid DIB(4Bit)");
  EXPECT_EQ(with([](BmpParts& s) { s.bits = 1, s.compression = 4, s.clr_used = 1, s.colors = {0}; }), "TNkInternalDIB.GetPixelFormat: Invalid DIB(1Bit)");
  EXPECT_EQ(with([](BmpParts& s) { s.bits = 16, s.compression = 3, s.masks = {0x7C00, 0, 0x1F}; }),
            "TNkInternalDIB.LoadFromStream: Invalid Masks");
  EXPECT_EQ(LoadError(MakeCoreBmp(1, 1, 16, {}, Bytes({0, 0, 0, 0}))), "TNkInternalDIB.LoadFromStream: Invalid BitCount");
  EXPECT_EQ(LoadError(MakeCoreBmp(0, 1, 24, {}, Bytes({0, 0, 0, 0}))),
            "TNkInternalDIB.LoadFromStream: Invalid Width or Height");
}

TEST(DIBRead, ReadsFromAStreamPositionAndKeepsThePictureOnFailure) {
  std::string bmp = MakeBmp({.width = 1, .height = 1, .bits = 24, .pixels = Bytes({9, 8, 7, 0})});
  MemoryByteSource stream(std::string(128, '\0') + bmp + "tail");
  TNkDIB dib;
  EXPECT_EQ(dib.LoadFromStream(stream, 128), static_cast<int64_t>(128 + bmp.size()));
  EXPECT_EQ(ExpandToRGB(*dib.Storage()).At(0, 0), 0x070809u);
  auto before = dib.Storage();
  EXPECT_THROW(dib.LoadFromStream(stream, 0), ENkDIBInvalidFile);
  EXPECT_EQ(dib.Storage(), before);
}

}  // namespace
}  // namespace zk
