// Bitmap data whose headers lie: the container refuses it with its messages,
// never crashes and never takes more memory than the data can justify.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "image/dib/dib_error.h"
#include "image/dib/dib_expand.h"
#include "image/dib/nk_dib.h"
#include "image/dib_test_util.h"

namespace zk {
namespace {

using test::BmpParts;
using test::Bytes;
using test::MakeBmp;
using test::RecordingPixelMemory;

// Loads the data and, when it loads, uses every way of reading it back.
// Gives the error text or "(loaded)".
std::string Exercise(const std::string& bytes) {
  TNkDIB dib;
  try {
    dib.LoadFromBytes(bytes);
    // Damaged sizes may make big (but allowed) pictures; spare the run time.
    if (static_cast<int64_t>(dib.Width()) * dib.Height() > (1 << 20)) return "(loaded)";
    DIBPixels px = ExpandToRGB(*dib.Storage());
    EXPECT_EQ(px.pixels.size(), static_cast<size_t>(dib.Width()) * dib.Height());
    TNkDIB again;
    again.LoadFromBytes(dib.SaveToBytes());
    EXPECT_EQ(ExpandToRGB(*again.Storage()).pixels, px.pixels);
  } catch (const ENkDIBError& e) {
    return e.what();
  }
  return "(loaded)";
}

std::vector<std::string> ValidFiles() {
  std::vector<uint32_t> gray(256);
  for (uint32_t i = 0; i < 256; ++i) gray[i] = i * 0x010101;
  BmpParts rle{.width = 6, .height = 3, .bits = 8, .compression = 1};
  rle.colors = gray;
  rle.pixels = Bytes({3, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 1, 2, 3, 0, 1});
  BmpParts masked{.width = 3, .height = 2, .bits = 16, .compression = 3};
  masked.masks = {0xF800, 0x7E0, 0x1F};
  masked.pixels = std::string(16, '\x5A');
  BmpParts eight{.width = 5, .height = 3, .bits = 8, .clr_used = 16};
  eight.colors.assign(16, 0x336699);
  eight.pixels = std::string(24, '\x03');
  return {MakeBmp({.width = 3, .height = 2, .bits = 24, .pixels = std::string(24, '\x7F')}),
          MakeBmp(rle), MakeBmp(masked), MakeBmp(eight),
          MakeBmp({.width = 9, .height = -2, .bits = 1, .colors = {0, 0xFFFFFF}, .pixels = std::string(8, '\xA5')}),
          test::MakeCoreBmp(2, 2, 4, std::vector<uint32_t>(16, 0x445566), std::string(8, '\x12'))};
}

TEST(DIBHostile, EveryTruncationIsRefusedOrReadSafely) {
  for (const std::string& file : ValidFiles()) {
    EXPECT_EQ(Exercise(file), "(loaded)");
    const bool compressed = file[30] == 1;  // biCompression of an info header
    for (size_t n = 0; n < file.size(); ++n) {
      std::string result = Exercise(file.substr(0, n));
      // Compressed rows cut short still make a picture; stored rows must be whole.
      if (!(compressed && result == "(loaded)")) {
        EXPECT_NE(result, "(loaded)") << "prefix " << n;
      }
    }
  }
}

TEST(DIBHostile, GiantSizesAreRefusedWithoutTakingMemory) {
  RecordingPixelMemory memory;
  const std::string truncated = "TNkInternalDIB.LoadFromStream: Data is truncated";
  const std::string bad_size = "TNkInternalDIB.LoadFromStream: Invalid Width or Height";
  EXPECT_EQ(Exercise(MakeBmp({.width = INT_MAX, .height = INT_MAX, .bits = 24, .pixels = std::string(64, 0)})),
            truncated);
  EXPECT_EQ(Exercise(MakeBmp({.width = INT_MAX, .height = 1, .bits = 32, .pixels = std::string(64, 0)})), truncated);
  EXPECT_EQ(Exercise(MakeBmp({.width = 1, .height = -INT_MAX, .bits = 16, .pixels = std::string(64, 0)})), truncated);
  EXPECT_EQ(Exercise(MakeBmp({.width = 1, .height = INT_MIN, .bits = 24, .pixels = std::string(64, 0)})), bad_size);
  // A few bytes of RLE data may not stand for a picture of gigapixels.
  BmpParts rle{.width = 100000, .height = 100000, .bits = 8, .compression = 1, .clr_used = 2};
  rle.colors = {0, 0xFFFFFF};
  rle.pixels = Bytes({0, 1});
  EXPECT_EQ(Exercise(MakeBmp(rle)), bad_size);
  rle.height = -10;  // compressed rows cannot run from the top
  rle.width = 10;
  EXPECT_EQ(Exercise(MakeBmp(rle)), bad_size);
  EXPECT_LE(memory.largest, 4u);  // only the 1 x 1 picture of a new TNkDIB
}

TEST(DIBHostile, OffsetsAndColourCountsPastTheEnd) {
  RecordingPixelMemory memory;
  const std::string truncated = "TNkInternalDIB.LoadFromStream: Data is truncated";
  BmpParts far{.width = 1, .height = 1, .bits = 24, .pixels = Bytes({1, 2, 3, 0}), .off_bits = 1000000000};
  EXPECT_EQ(Exercise(MakeBmp(far)), truncated);
  BmpParts rle{.width = 4, .height = 4, .bits = 8, .compression = 1, .clr_used = 1, .colors = {0},
              .pixels = Bytes({4, 0, 0, 1}), .off_bits = 4000000000u};
  EXPECT_EQ(Exercise(MakeBmp(rle)), truncated);
  BmpParts colors{.width = 1, .height = 1, .bits = 8, .clr_used = 0xFFFFFFFF, .pixels = Bytes({0, 0, 0, 0})};
  colors.colors.assign(256, 0);
  EXPECT_EQ(Exercise(MakeBmp(colors)), "TNkInternalDIB.LoadFromFile: bfOffBits is too small");
  colors.bits = 32;  // a table beside true colour is as unbounded
  EXPECT_EQ(Exercise(MakeBmp(colors)), "TNkInternalDIB.LoadFromFile: bfOffBits is too small");
  EXPECT_LE(memory.largest, 4u);  // only the 1 x 1 picture of a new TNkDIB
}

TEST(DIBHostile, WrongFileSizesFallBackToTheDataThatIsThere) {
  RecordingPixelMemory memory;
  BmpParts s{.width = 2, .height = 2, .bits = 24, .pixels = std::string(16, '\x40')};
  s.file_size = 0;  // written as zero by some programs
  EXPECT_EQ(Exercise(MakeBmp(s)), "(loaded)");
  s.file_size = 0xFFFFFFF0;  // claims far more than there is
  EXPECT_EQ(Exercise(MakeBmp(s)), "(loaded)");
  EXPECT_LE(memory.largest, 16u);
  s.pixels.resize(15);
  EXPECT_EQ(Exercise(MakeBmp(s)), "TNkInternalDIB.LoadFromStream: Data is truncated");
}

TEST(DIBHostile, ThinAndTinyPictures) {
  EXPECT_EQ(Exercise(MakeBmp({.width = 1, .height = 1, .bits = 1, .colors = {0, 0xFFFFFF},
                              .pixels = Bytes({0x80, 0, 0, 0})})),
            "(loaded)");
  BmpParts tall{.width = 1, .height = 30000, .bits = 24, .pixels = std::string(4 * 30000, '\x11')};
  EXPECT_EQ(Exercise(MakeBmp(tall)), "(loaded)");
  BmpParts wide{.width = 30000, .height = 1, .bits = 16, .pixels = std::string(60000, '\x22')};
  EXPECT_EQ(Exercise(MakeBmp(wide)), "(loaded)");
  BmpParts tall_rle{.width = 1, .height = 30000, .bits = 4, .compression = 2, .clr_used = 2,
                   .colors = {0, 0xFFFFFF}, .pixels = Bytes({1, 0x10, 0, 1})};
  EXPECT_EQ(Exercise(MakeBmp(tall_rle)), "(loaded)");
}

// Random damage to the headers and data of valid files: every outcome is a
// picture or one of the family's errors, checked under the sanitizers.
TEST(DIBHostile, DamagedFilesNeverCrash) {
  RecordingPixelMemory memory;
  std::mt19937 random(12345);
  size_t largest_file = 0;
  int loaded = 0;
  for (const std::string& file : ValidFiles()) {
    largest_file = std::max(largest_file, file.size());
    for (int round = 0; round < 1500; ++round) {
      std::string damaged = file;
      int changes = 1 + static_cast<int>(random() % 4);
      for (int c = 0; c < changes; ++c) {
        size_t at = random() % std::min<size_t>(damaged.size(), round % 2 ? damaged.size() : 70);
        damaged[at] = static_cast<char>(random() % 3 == 0 ? 0xFF : random());
      }
      if (Exercise(damaged) == "(loaded)") ++loaded;
    }
  }
  EXPECT_GT(loaded, 0);
  // Stored rows never take more than the file holds; converted 16-bit rows
  // at most half again, RLE pictures at most their free area.
  EXPECT_LE(memory.largest, std::max<size_t>(largest_file * 2, 64));
}

}  // namespace
}  // namespace zk
