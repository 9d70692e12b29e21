// The plug-in host's portable rules: kinds, information strings, patterns and
// their registration, candidate order, refused names and extensions, the
// progress scale and the checks of the picture blocks a plug-in hands back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "image/dib/nk_dib.h"
#include "image/plugins/spi_bitmap.h"
#include "image/plugins/spi_records.h"
#include "image/plugins/spi_rules.h"

namespace zk {
namespace {

using Strings = std::vector<std::u16string>;

TEST(SpiRules, KindsByVersionString) {
  const std::pair<const char*, SpiKind> cases[] = {
      {"00IN", SpiKind::kImport}, {"00AM", SpiKind::kArchive}, {"00XN", SpiKind::kExport},
      {"00in", SpiKind::kPlain},  {"", SpiKind::kPlain},        {"00IN ", SpiKind::kPlain}};
  for (const auto& [version, kind] : cases) EXPECT_EQ(ClassifySpiVersion(version), kind) << version;
}

TEST(SpiRules, InformationStringsEndAtTheFirstZeroWithinTheBuffer) {
  char buffer[kSpiInfoBufferSize];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(SpiInfoString(buffer).size(), 256u);  // unterminated: the whole buffer
  std::memcpy(buffer, "00IN\0zz", 7);
  EXPECT_EQ(SpiInfoString(buffer), "00IN");
  buffer[0] = 0;
  EXPECT_EQ(SpiInfoString(buffer), "");
}

TEST(SpiRules, PatternsGiveTheirExtensionsFromTheLastItem) {
  const std::pair<std::u16string, Strings> cases[] = {
      {u"*.jpg", {u"jpg"}},
      {u"*.tar.gz", {u"tar.gz"}},
      {u"*.jpg;*.jpe", {u"jpe", u"jpg"}},
      {u"*.ppm;*.pnm;*.pgm", {u"pgm", u"pnm", u"ppm"}},
      {u"raw", {u"raw"}},
      {u"*.a;;*.", {u"a"}},
      {u"", {}},
  };
  for (const auto& [pattern, extensions] : cases) EXPECT_EQ(SpiPatternExtensions(pattern), extensions);
}

TEST(SpiRules, RegistrationOrderAndTheRefusedExtensions) {
  PictureFormatRegistry registry;
  std::vector<std::u16string> offered;
  // The viewer's own handler: the built-in decoders keep their extensions.
  const SpiRegisterHandler viewer = [&](const std::u16string& ext, const std::u16string&,
                                        std::optional<PictureDecoderKind>& kind) {
    offered.push_back(ext);
    kind = IsRefusedPluginExtension(ext) ? std::nullopt : std::optional(PictureDecoderKind::kPlugin);
  };
  RegisterSpiPatterns({u"*.jpg;*.jpe", u"*.tif"}, {u"JPEG", u"TIFF"}, PictureDecoderKind::kPluginBitmap, viewer,
                      registry);
  EXPECT_EQ(offered, (Strings{u"jpe", u"jpg", u"tif"}));
  Strings registered;
  for (const auto& f : registry.formats()) registered.push_back(f.extension + u"=" + f.description);
  EXPECT_EQ(registered, (Strings{u"jpe=JPEG", u"tif=TIFF"}));

  // A cleared kind carries over to the rest of its pattern, not to the next.
  PictureFormatRegistry second;
  const SpiRegisterHandler clear_first = [](const std::u16string& ext, const std::u16string&,
                                            std::optional<PictureDecoderKind>& kind) {
    if (ext == u"b") kind.reset();
  };
  RegisterSpiPatterns({u"*.a;*.b", u"*.c"}, {u"ab", u"c"}, PictureDecoderKind::kPluginBitmap, clear_first, second);
  ASSERT_EQ(second.formats().size(), 1u);
  EXPECT_EQ(second.formats()[0].extension, u"c");
  EXPECT_EQ(second.formats()[0].kind, PictureDecoderKind::kPluginBitmap);
}

TEST(SpiRules, RefusedNamesAndExtensions) {
  for (const char16_t* name : {u"IFHG.SPI", u"ifbmp.spi", u"IFGIF.sph", u"C:\\p\\ifply.spi", u"IF3DS.SPI", u"ifmm",
                               u"IfBmp.Sph"})
    EXPECT_TRUE(IsRefusedPluginFile(name)) << std::string(name, name + std::char_traits<char16_t>::length(name));
  for (const char16_t* name : {u"ifbmp2.spi", u"xIFMM.spi", u"ifpng.spi", u"IFBMP\\other.spi", u""})
    EXPECT_FALSE(IsRefusedPluginFile(name));
  for (const char16_t* ext : {u"JPG", u"jpeg", u"Ico", u"bmp", u"png", u"GIF"}) EXPECT_TRUE(IsRefusedPluginExtension(ext));
  for (const char16_t* ext : {u"wmf", u"emf", u"dib", u"jpe", u"tif", u"pngx", u""})
    EXPECT_FALSE(IsRefusedPluginExtension(ext));
}

TEST(SpiRules, CandidatesMatchingTheExtensionComeFirstLatestLoadedFirst) {
  const std::vector<Strings> plugins = {
      {u"*.ppm"},            // 0
      {u"*.jpg;*.jpeg"},     // 1: only the pattern's last extension counts
      {u"*.pic", u"*.PPM"},  // 2
      {},                    // 3: declares nothing
      {u"*.ppm;*.pnm"},      // 4: ends in pnm
      {u"noext"},            // 5: no dot, matches names without an extension
  };
  const std::pair<std::u16string, std::vector<size_t>> cases[] = {
      {u"C:\\pics\\a.ppm", {2, 0, 1, 3, 4, 5}},
      {u"a.jpeg", {1, 0, 2, 3, 4, 5}},
      {u"a.jpg", {0, 1, 2, 3, 4, 5}},
      {u"a.pnm", {4, 0, 1, 2, 3, 5}},
      {u"C:\\x.ppm\\plain", {5, 0, 1, 2, 3, 4}},
      {u"", {5, 0, 1, 2, 3, 4}},
  };
  for (const auto& [name, order] : cases) EXPECT_EQ(SpiCandidateOrder(plugins, name), order);
}

TEST(SpiRules, ProgressPercent) {
  const struct { int64_t n, d; int percent; } cases[] = {
      {0, 100, 2}, {50, 100, 51}, {100, 100, 99}, {1, 3, 34}, {5, 0, 1}, {0, 0, 1}, {1000, 1, 100}, {-1000, 1, 0}};
  for (const auto& c : cases) EXPECT_EQ(SpiProgressPercent(c.n, c.d), c.percent) << c.n << "/" << c.d;
}

std::vector<uint8_t> InfoBlock(int width, int height, int bits, uint32_t used, size_t colors_present,
                               uint32_t header_size = 40, uint32_t compression = 0) {
  std::vector<uint8_t> b(std::max<size_t>(header_size, 40) + 4 * colors_present, 0);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
  put32(0, header_size);
  put32(4, static_cast<uint32_t>(width));
  put32(8, static_cast<uint32_t>(height));
  b[12] = 1;
  b[14] = static_cast<uint8_t>(bits);
  put32(16, compression);
  put32(32, used);
  return b;
}

TEST(SpiBitmap, BlocksAreCheckedAgainstTheirSizes) {
  const struct {
    std::vector<uint8_t> info;
    size_t bits_size;
    bool sound;
    int colors;
    size_t info_size, image_size;
  } cases[] = {
      {InfoBlock(3, 2, 8, 0, 256), 8, true, 256, 1064, 8},           // 0 colours at 8 bits: the full table
      {InfoBlock(3, 2, 8, 0, 16), 8, false, 0, 0, 0},                // the table is not all there
      {InfoBlock(3, 2, 8, 16, 16), 8, true, 16, 104, 8},
      {InfoBlock(3, -2, 24, 0, 0), 24, true, 0, 40, 24},             // top-down
      {InfoBlock(3, 2, 24, 0, 0), 23, false, 0, 0, 0},               // bits block shorter than the rows
      {InfoBlock(33, 1, 1, 0, 2), 8, true, 2, 48, 8},
      {InfoBlock(-3, 2, 24, 0, 0), 100, false, 0, 0, 0},
      {InfoBlock(3, 0, 24, 0, 0), 100, false, 0, 0, 0},
      {InfoBlock(0x7FFFFFFF, 0x7FFFFFFF, 32, 0, 0), SIZE_MAX, false, 0, 0, 0},
      {InfoBlock(3, 2, 24, 300, 0), 100, false, 0, 0, 0},
      {InfoBlock(3, 2, 7, 0, 0), 100, false, 0, 0, 0},
      {InfoBlock(3, 2, 24, 0, 0, 40, 1), 100, false, 0, 0, 0},       // compressed
      {InfoBlock(3, 2, 4, 0, 16, 124), 8, true, 16, 104, 8},        // a longer header
      {InfoBlock(3, 2, 24, 0, 0, 12), 100, false, 0, 0, 0},
      {std::vector<uint8_t>(39, 0), 100, false, 0, 0, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    const std::optional<SpiBitmapFacts> facts = CheckSpiBitmap(c.info, c.bits_size);
    ASSERT_EQ(facts.has_value(), c.sound) << "case " << i;
    if (!facts) continue;
    EXPECT_EQ(facts->colors, c.colors) << "case " << i;
    EXPECT_EQ(facts->info_size, c.info_size) << "case " << i;
    EXPECT_EQ(facts->image_size, c.image_size) << "case " << i;
  }
}

TEST(SpiBitmap, TheBitmapFileReadsBack) {
  // A 4-bit picture with a 124-byte header: the file carries a 40-byte one.
  std::vector<uint8_t> info = InfoBlock(3, 2, 4, 0, 16, 124);
  info[124 + 4 * 5 + 2] = 0xFF;  // colour 5 is red
  const std::vector<uint8_t> bits = {0x55, 0x50, 0, 0, 0x05, 0, 0, 0, 0xEE};
  const std::optional<SpiBitmapFacts> facts = CheckSpiBitmap(info, bits.size());
  ASSERT_TRUE(facts);
  const std::string file = SpiBitmapFile(info, bits, *facts);
  EXPECT_EQ(file.size(), 14u + 104 + 8);
  TNkDIB dib;
  dib.LoadFromBytes(file);
  EXPECT_EQ(dib.Width(), 3);
  EXPECT_EQ(dib.Height(), 2);
  EXPECT_EQ(dib.GetBitCount(), 4);
  ASSERT_EQ(dib.Colors().size(), 16u);
  EXPECT_EQ(dib.Colors()[5].rgbRed, 0xFF);
}

TEST(SpiRecords, TheBuildUsesItsPointerSizedLayout) {
  EXPECT_EQ(sizeof(SpiPictureInfo), sizeof(void*) == 8 ? 30u : 26u);
  EXPECT_EQ(sizeof(SpiPictureInfo::info_text), sizeof(void*));
}

}  // namespace
}  // namespace zk
