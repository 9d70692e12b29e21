// Writing, the clipboard layout, new pictures, shared storage and the
// true-colour palette of the DIB container.
#include <gtest/gtest.h>

#include <cstring>

#include "image/dib/dib_error.h"
#include "image/dib/dib_expand.h"
#include "image/dib/nk_dib.h"
#include "image/dib_test_util.h"

namespace zk {
namespace {

using test::BmpParts;
using test::Bytes;
using test::MakeBmp;

uint32_t Le32At(const std::string& s, size_t at) { return ReadLe32(reinterpret_cast<const uint8_t*>(s.data() + at)); }

std::span<const uint8_t> AsSpan(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

TEST(DIBWrite, FileLayoutCarriesTheUsedColoursAndPixels) {
  BmpParts s{.width = 3, .height = 2, .bits = 4, .clr_used = 5, .resolution = 1000};
  s.colors = {0x000000, 0x112233, 0x445566, 0x778899, 0xAABBCC};
  s.pixels = Bytes({0x01, 0x20, 0, 0, 0x34, 0x40, 0, 0});
  TNkDIB dib;
  dib.LoadFromBytes(MakeBmp(s));
  std::string saved = dib.SaveToBytes();
  ASSERT_EQ(saved.size(), 54u + 20 + 8);
  EXPECT_EQ(saved.substr(0, 2), "BM");
  EXPECT_EQ(Le32At(saved, 2), 54u + 20 + 8);
  EXPECT_EQ(Le32At(saved, 6), 0u);
  EXPECT_EQ(Le32At(saved, 10), 54u + 20);
  // The rest is the input itself: the same header, table and rows.
  EXPECT_EQ(saved.substr(14), MakeBmp(s).substr(14));
}

TEST(DIBWrite, RleAndConvertedPicturesSurviveARoundTrip) {
  BmpParts rle{.width = 4, .height = 2, .bits = 8, .compression = 1, .clr_used = 2};
  rle.colors = {0x000000, 0xFFFFFF};
  rle.pixels = Bytes({4, 1, 0, 0, 2, 0, 2, 1, 0, 1});
  TNkDIB dib;
  dib.LoadFromBytes(MakeBmp(rle));
  TNkDIB copy;
  copy.LoadFromBytes(dib.SaveToBytes());
  EXPECT_EQ(copy.GetPixelFormat(), nkPf8BitRLE);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(copy.Bits()), copy.BitsSize()), rle.pixels);
  EXPECT_EQ(ExpandToRGB(*copy.Storage()).pixels, ExpandToRGB(*dib.Storage()).pixels);

  BmpParts wide{.width = 2, .height = 1, .bits = 32, .pixels = Bytes({1, 2, 3, 0, 4, 5, 6, 0})};
  dib.LoadFromBytes(MakeBmp(wide));
  copy.LoadFromBytes(dib.SaveToBytes());
  EXPECT_EQ(copy.GetBitCount(), 24);
  EXPECT_EQ(ExpandToRGB(*copy.Storage()).pixels, (std::vector<uint32_t>{0x030201, 0x060504}));
}

TEST(DIBClipboardLayout, PackedDataRoundTrips) {
  BmpParts s{.width = 2, .height = 2, .bits = 8, .clr_used = 3, .resolution = 3780};
  s.colors = {0x010101, 0x020202, 0x030303};
  s.pixels = Bytes({0, 1, 0, 0, 2, 1, 0, 0});
  TNkDIB dib;
  dib.LoadFromBytes(MakeBmp(s));
  std::string packed(dib.PackedDIBSize(), '\0');
  dib.WritePackedDIB(reinterpret_cast<uint8_t*>(packed.data()));
  EXPECT_EQ(packed, test::InfoPart(s) + s.pixels);
  TNkDIB back;
  back.LoadFromPackedDIB(AsSpan(packed));
  EXPECT_EQ(ExpandToRGB(*back.Storage()).pixels, ExpandToRGB(*dib.Storage()).pixels);
}

TEST(DIBClipboardLayout, MasksCoreHeadersAndBadHeaders) {
  BmpParts masked{.width = 1, .height = 1, .bits = 16, .compression = 3};
  masked.masks = {0xF800, 0x7E0, 0x1F};
  masked.pixels = Bytes({0x1F, 0xF8, 0, 0});  // pure red in 5-6-5
  TNkDIB dib;
  dib.LoadFromPackedDIB(AsSpan(test::InfoPart(masked) + masked.pixels));
  EXPECT_EQ(ExpandToRGB(*dib.Storage()).At(0, 0), 0xFF00FFu);

  std::string core = test::MakeCoreBmp(1, 1, 24, {}, Bytes({7, 8, 9, 0})).substr(14);
  dib.LoadFromPackedDIB(AsSpan(core));
  EXPECT_EQ(ExpandToRGB(*dib.Storage()).At(0, 0), 0x090807u);

  std::string v4 = test::InfoPart(masked) + masked.pixels;
  v4[0] = 108;
  try {
    dib.LoadFromPackedDIB(AsSpan(v4));
    FAIL();
  } catch (const ENkDIBError& e) {
    EXPECT_STREQ(e.what(), "TNkDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
  }
  EXPECT_THROW(dib.LoadFromPackedDIB(AsSpan(test::InfoPart(masked))), ENkDIBInvalidFile);  // no pixels
}

TEST(DIBCreate, NewPicturesAndTheirLimits) {
  TNkDIB fresh;
  EXPECT_EQ(fresh.Width(), 1);
  EXPECT_EQ(fresh.Height(), 1);
  EXPECT_EQ(fresh.GetBitCount(), 8);
  ASSERT_EQ(fresh.Colors().size(), 256u);
  for (const RgbQuad& q : fresh.Colors()) EXPECT_EQ(q, RgbQuad{});

  fresh.CreateDIB(7, -3, 24, 0);
  EXPECT_EQ(fresh.BitsSize(), 24u * 3);
  EXPECT_TRUE(fresh.TopDown());
  EXPECT_EQ(fresh.InfoHeader().biXPelsPerMeter, 3780);
  for (size_t i = 0; i < fresh.BitsSize(); ++i) ASSERT_EQ(fresh.Bits()[i], 0);

  struct Case {
    int width, height, bits, colors;
  } bad[] = {{0, 1, 8, 0}, {1, 0, 8, 0}, {1, 1, 16, 0}, {1, 1, 32, 0}, {1, 1, 8, 257}, {1, 1, 8, -1}};
  for (const Case& c : bad) {
    try {
      fresh.CreateDIB(c.width, c.height, c.bits, c.colors);
      ADD_FAILURE() << c.width << " " << c.height << " " << c.bits << " " << c.colors;
    } catch (const ENkDIBInvalidParameters& e) {
      EXPECT_STREQ(e.what(), "TNkInternalDIB.CreateDIB: Invalid Parameters");
    }
  }
  EXPECT_EQ(fresh.Width(), 7);
}

TEST(DIBStorage, AssignmentSharesUntilAChange) {
  TNkDIB a;
  a.LoadFromBytes(MakeBmp({.width = 2, .height = 1, .bits = 24, .pixels = Bytes({1, 2, 3, 4, 5, 6, 0, 0})}));
  TNkDIB b;
  int changes = 0;
  b.OnChange = [&] { ++changes; };
  b = a;
  EXPECT_EQ(b.Storage(), a.Storage());
  EXPECT_EQ(changes, 1);
  b.CreateTrueColorPalette();
  EXPECT_NE(b.Storage(), a.Storage());
  EXPECT_EQ(b.Storage().use_count(), 1);
  EXPECT_FALSE(a.HasPalette());
  EXPECT_TRUE(b.HasPalette());
  EXPECT_EQ(ExpandToRGB(*b.Storage()).pixels, ExpandToRGB(*a.Storage()).pixels);
}

TEST(DIBTrueColorPalette, FewColoursAreKeptExactly) {
  TNkDIB dib;
  dib.LoadFromBytes(
      MakeBmp({.width = 3, .height = 1, .bits = 24, .pixels = Bytes({1, 2, 3, 1, 2, 3, 200, 100, 50, 0, 0, 0})}));
  std::vector<std::u16string> messages;
  dib.OnProgress = [&](TNkProgressStage, int, std::u16string_view m) { messages.emplace_back(m); };
  dib.CreateTrueColorPalette();
  ASSERT_EQ(dib.Colors().size(), 2u);
  EXPECT_EQ(dib.Colors()[0], (RgbQuad{1, 2, 3, 0}));
  EXPECT_EQ(dib.Colors()[1], (RgbQuad{200, 100, 50, 0}));
  EXPECT_EQ(dib.GetBitCount(), 24);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.front(), u"Create True Color Palette");

  TNkDIB eight;
  try {
    eight.CreateTrueColorPalette();
    FAIL();
  } catch (const ENkDIBBadDIBType& e) {
    EXPECT_STREQ(e.what(), "TNkInternalDIB.CreateTrueColorPalette: Bad DIB Type");
  }
}

TEST(DIBTrueColorPalette, ManyColoursGet256CloseOnes) {
  TNkDIB dib;
  dib.CreateDIB(256, 64, 24, 0);
  TNkInternalDIB& own = dib.OwnStorage();
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x) {
      uint8_t* p = own.Bits() + y * 768 + x * 3;
      p[0] = static_cast<uint8_t>(x), p[1] = static_cast<uint8_t>(y * 4), p[2] = static_cast<uint8_t>(255 - x);
    }
  dib.CreateTrueColorPalette();
  ASSERT_EQ(dib.Colors().size(), 256u);
  // Every pixel finds a palette colour near it.
  int worst = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x) {
      const uint8_t* p = dib.Bits() + y * 768 + x * 3;
      int best = INT32_MAX;
      for (const RgbQuad& q : dib.Colors())
        best = std::min(best, std::abs(q.rgbBlue - p[0]) + std::abs(q.rgbGreen - p[1]) + std::abs(q.rgbRed - p[2]));
      worst = std::max(worst, best);
    }
  EXPECT_LT(worst, 48);
}

}  // namespace
}  // namespace zk
