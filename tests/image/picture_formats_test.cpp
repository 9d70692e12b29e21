// The picture format registry, the JPEG finder and the header checks made
// before the platform reads bitmaps, icons and metafiles.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "image/find_jpeg_start.h"
#include "image/formats/bitmap_file_check.h"
#include "image/formats/icon_directory.h"
#include "image/formats/metafile_headers.h"
#include "image/picture_format_registry.h"
#include "support/picture_files.h"

namespace zk {
namespace {

using Bytes = std::vector<uint8_t>;
using test::Put16;
using test::Put32;

Bytes AsBytes(const std::string& file) { return Bytes(file.begin(), file.end()); }

TEST(PictureFormatRegistry, BuiltInOrderAndNewestRegistrationWins) {
  PictureFormatRegistry r;
  r.RegisterBuiltInFormats();
  std::vector<std::u16string> order;
  for (const auto& f : r.formats()) order.push_back(f.extension);
  EXPECT_EQ(order, (std::vector<std::u16string>{u"wmf", u"emf", u"ico", u"bmp", u"jpeg", u"jpg", u"gif", u"png", u"dib"}));
  EXPECT_EQ(r.FindPictureFormat(u"JPG"), PictureDecoderKind::kJpeg);
  EXPECT_EQ(r.FindPictureFormat(u".Png"), PictureDecoderKind::kPng);
  EXPECT_EQ(r.FindPictureFormat(u"txt"), std::nullopt);
  EXPECT_EQ(r.FindPictureFormat(u""), std::nullopt);

  // A plug-in that declares "WMF" takes metafiles over from then on.
  r.RegisterPictureFormat(u"WMF", u"plug-in metafiles", PictureDecoderKind::kPlugin);
  EXPECT_EQ(r.FindPictureFormat(u"wmf"), PictureDecoderKind::kPlugin);
  EXPECT_EQ(r.FindPictureFormat(u"emf"), PictureDecoderKind::kEnhancedMetafile);
}

TEST(PictureFormatRegistry, ExtensionIsTakenFromTheFileNameOnly) {
  EXPECT_EQ(PictureExtension(u"C:\\pics\\photo.JPG"), u"JPG");
  EXPECT_EQ(PictureExtension(u"C:\\pics\\archive.tar.gz"), u"gz");
  EXPECT_EQ(PictureExtension(u"C:\\my.folder\\README"), u"");
  EXPECT_EQ(PictureExtension(u"C:\\pics\\trailing."), u"");
}

TEST(FindJpegStart, LooksAtTheFirst257Offsets) {
  Bytes b(400, 0);
  EXPECT_EQ(FindJpegStart(b), -1);
  b[0] = 0xFF, b[1] = 0xD8;
  EXPECT_EQ(FindJpegStart(b), 0);
  b[0] = 0;
  b[100] = 0xFF, b[101] = 0xD8;
  EXPECT_EQ(FindJpegStart(b), 100);
  b[100] = 0;
  b[256] = 0xFF, b[257] = 0xD8;
  EXPECT_EQ(FindJpegStart(b), 256);
  b[256] = 0;
  b[300] = 0xFF, b[301] = 0xD8;
  EXPECT_EQ(FindJpegStart(b), -1);
  // A marker cut off by the end of the buffer does not count.
  EXPECT_EQ(FindJpegStart(Bytes{0x00, 0xFF}), -1);
  EXPECT_EQ(FindJpegStart(Bytes{}), -1);
}

// A bottom-up bitmap file with a header of the given size, a colour table
// and pixels of zeros.
Bytes BitmapFile(uint32_t info_size, int32_t width, int32_t height, uint16_t bits, uint32_t compression = 0) {
  const size_t row = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
  return AsBytes(test::MakeBmp(
      {.header_size = info_size, .width = width, .height = height, .bits = bits, .compression = compression,
       .colors = std::vector<uint32_t>(bits <= 8 ? size_t{1} << bits : 0),
       .masks = compression == 3 ? std::vector<uint32_t>{0xF800, 0x07E0, 0x001F} : std::vector<uint32_t>{},
       .pixels = std::string(row * static_cast<size_t>(height < 0 ? -height : height), '\0')}));
}

bool Check(const Bytes& b, std::string* reason = nullptr) {
  return CheckBitmapFile(b, b.size(), nullptr, reason);
}

TEST(CheckBitmapFile, AcceptsEveryStandardHeader) {
  for (uint32_t info : {40u, 108u, 124u}) {
    EXPECT_TRUE(Check(BitmapFile(info, 5, 3, 24))) << info;
    EXPECT_TRUE(Check(BitmapFile(info, 5, -3, 32))) << info;  // top-down
    EXPECT_TRUE(Check(BitmapFile(info, 7, 2, 8))) << info;
  }
  EXPECT_TRUE(Check(BitmapFile(40, 4, 4, 16, 3)));  // bit fields
  const Bytes core = AsBytes(test::MakeCoreBmp(2, 2, 24, {}, std::string(2 * 8, '\0')));
  BitmapFileFacts facts;
  std::string reason;
  EXPECT_TRUE(CheckBitmapFile(core, core.size(), &facts, &reason)) << reason;
  EXPECT_EQ(facts.width, 2);
  EXPECT_EQ(facts.bit_count, 24);
}

TEST(CheckBitmapFile, RefusesHeadersThatLie) {
  std::string reason;
  Bytes giant = BitmapFile(40, 1, 1, 24);
  Put32(giant, 18, 65535), Put32(giant, 22, 65535);
  EXPECT_FALSE(Check(giant, &reason));
  Bytes past = BitmapFile(40, 4, 4, 24);
  Put32(past, 10, 100000);
  EXPECT_FALSE(Check(past));
  Bytes colors = BitmapFile(40, 4, 4, 8);
  Put32(colors, 46, 300);
  EXPECT_FALSE(Check(colors));
  Bytes masks = BitmapFile(40, 4, 4, 16, 3);
  Put32(masks, 54, 0), Put32(masks, 58, 0), Put32(masks, 62, 0);
  EXPECT_FALSE(Check(masks, &reason));
  EXPECT_EQ(reason, "zero colour masks");
  Bytes rle_top_down = BitmapFile(40, 4, -4, 8, 1);
  EXPECT_FALSE(Check(rle_top_down));
  Bytes min_height = BitmapFile(40, 4, 4, 24);
  Put32(min_height, 22, 0x80000000u);
  EXPECT_FALSE(Check(min_height));
  Bytes tall = BitmapFile(40, 1, 30000, 24);
  EXPECT_TRUE(Check(tall));
  // Every truncation is refused, none read past the end (checked by the sanitizers).
  const Bytes whole = BitmapFile(124, 9, 9, 8);
  for (size_t n = 0; n < whole.size(); ++n) {
    Bytes cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n));
    EXPECT_FALSE(CheckBitmapFile(cut, cut.size(), nullptr, nullptr)) << n;
  }
}

// An icon file whose images are bitmaps of the given sizes and depths.
Bytes IconFile(const std::vector<test::IconImage>& images) { return AsBytes(test::IconFile(images)); }

TEST(IconDirectory, ChoosesTheLargestThenTheDeepestImage) {
  const Bytes file = IconFile({{16, 32}, {48, 8}, {48, 32}, {32, 32}});
  const auto best = ChooseIconImage(file);
  ASSERT_TRUE(best);
  EXPECT_EQ(best->width, 48);
  EXPECT_EQ(best->bit_count, 32);
  EXPECT_FALSE(best->png);
}

uint32_t Get32(const Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

TEST(IconDirectory, SkipsImagesThatLieAndSurvivesEveryTruncation) {
  Bytes file = IconFile({{16, 4}, {32, 32}});
  // The second image claims 65535 rows its data does not hold.
  const size_t second = Get32(file, 6 + 16 + 12);
  Put32(file, second + 8, 2 * 65535);
  auto best = ChooseIconImage(file);
  ASSERT_TRUE(best);
  EXPECT_EQ(best->width, 16);
  // An entry pointing past the end is skipped too.
  Put32(file, 6 + 12, 0xFFFFFF00u);
  EXPECT_FALSE(ChooseIconImage(file));

  const Bytes whole = IconFile({{16, 8}});
  for (size_t n = 0; n < whole.size(); ++n) {
    Bytes cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n));
    EXPECT_FALSE(ChooseIconImage(cut)) << n;
  }
  // Random damage never reads outside the file (the sanitizers watch).
  std::mt19937 random(7);
  for (int round = 0; round < 500; ++round) {
    Bytes damaged = IconFile({{16, 8}, {32, 32}});
    for (int k = 0; k < 4; ++k) damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
    (void)ChooseIconImage(damaged);
  }
}

Bytes PlaceableMetafile(int16_t right, int16_t bottom, uint16_t inch, uint32_t words) {
  Bytes b(22 + 18, 0);
  Put32(b, 0, 0x9AC6CDD7);
  Put16(b, 10, static_cast<uint16_t>(right)), Put16(b, 12, static_cast<uint16_t>(bottom)), Put16(b, 14, inch);
  Put16(b, 22, 1), Put16(b, 24, 9), Put16(b, 26, 0x300), Put32(b, 28, words);
  b.resize(22 + words * 2);
  return b;
}

TEST(MetafileHeaders, PlaceableAndPlainWindowsMetafiles) {
  const Bytes file = PlaceableMetafile(1440, 720, 1440, 12);
  const auto facts = ReadWindowsMetafileHeader(file);
  ASSERT_TRUE(facts);
  EXPECT_TRUE(facts->placeable);
  EXPECT_EQ(facts->data_offset, 22u);
  EXPECT_EQ(facts->data_size, 24u);
  EXPECT_EQ(UnitsToPixels(facts->box_width, facts->units_per_inch, 96), 96);
  EXPECT_EQ(UnitsToPixels(facts->box_height, facts->units_per_inch, 96), 48);

  const Bytes plain(file.begin() + 22, file.end());
  ASSERT_TRUE(ReadWindowsMetafileHeader(plain));
  EXPECT_FALSE(ReadWindowsMetafileHeader(plain)->placeable);

  // A record count beyond the data, an empty box, a zero unit.
  Bytes lying = file;
  Put32(lying, 28, 0x7FFFFFFF);
  EXPECT_FALSE(ReadWindowsMetafileHeader(lying));
  EXPECT_FALSE(ReadWindowsMetafileHeader(PlaceableMetafile(0, 720, 1440, 12)));
  EXPECT_FALSE(ReadWindowsMetafileHeader(PlaceableMetafile(1440, 720, 0, 12)));
  for (size_t n = 0; n < file.size(); ++n)
    EXPECT_FALSE(ReadWindowsMetafileHeader(std::span(file.data(), n))) << n;
}

TEST(MetafileHeaders, EnhancedMetafileFrameAndSize) {
  Bytes b(88, 0);
  Put32(b, 0, 1), Put32(b, 4, 88);
  Put32(b, 24, 0), Put32(b, 28, 0), Put32(b, 32, 2539), Put32(b, 36, 1269);  // 1 x 0.5 inch
  Put32(b, 40, 0x464D4520), Put32(b, 48, 88);
  const auto facts = ReadEnhancedMetafileHeader(b);
  ASSERT_TRUE(facts);
  EXPECT_EQ(HimetricToPixels(facts->frame_width, 96), 96);
  EXPECT_EQ(HimetricToPixels(facts->frame_height, 96), 48);
  Bytes truncated = b;
  Put32(truncated, 48, 4096);  // claims more bytes than there are
  EXPECT_FALSE(ReadEnhancedMetafileHeader(truncated));
  Bytes empty_frame = b;
  Put32(empty_frame, 32, static_cast<uint32_t>(-5));
  EXPECT_FALSE(ReadEnhancedMetafileHeader(empty_frame));
  Bytes wrong = b;
  wrong[40] = 'X';
  EXPECT_FALSE(ReadEnhancedMetafileHeader(wrong));
  // Sizes beyond any screen are held to a drawable size.
  EXPECT_EQ(HimetricToPixels(int64_t{1} << 40, 96), 32767);
}

}  // namespace
}  // namespace zk
