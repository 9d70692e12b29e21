#include "text/detect_char_code.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>
#include <vector>

#include "text/byte_block.h"
#include "text/detect_reference.h"

namespace zk {
namespace {

using R = DetectResult;

R Detect(std::string_view s) { return DetectCharCode(s); }

TEST(DetectCharCode, SevenBitTextAndUtf7Runs) {
  EXPECT_EQ(Detect(""), R::kAscii);
  EXPECT_EQ(Detect("Hello, world!\r\n"), R::kAscii);
  EXPECT_EQ(Detect("x+AAAAAAAA-y"), R::kUtf7);  // one valid run, scanner alive at the end
  EXPECT_EQ(Detect("x+AA-y"), R::kAscii);       // 12 bits of a run: rejected
  EXPECT_EQ(Detect("x+A-y"), R::kAscii);
  EXPECT_EQ(Detect("+-"), R::kUtf7);  // an empty run is valid and scores 2
  for (const char* outside : {"!", "#", "_", "\"", "\x01"}) EXPECT_EQ(Detect(std::string("a+-b") + outside), R::kAscii);
  EXPECT_EQ(Detect("a+AAA"), R::kAscii);         // run to the end: alive but no score
  EXPECT_EQ(Detect("a+AAA!"), R::kAscii);        // run ended by another byte
  EXPECT_EQ(Detect("+AAA-+AAA-\x82\xA0"), R::kUtf7);  // the second run decides at once
  EXPECT_EQ(Detect("+AAA-\x82\xA0"), R::kSjis);
  EXPECT_EQ(Detect("+AAA-\x1B"), R::kUtf7);   // a lone escape at the end leaves it alive
  EXPECT_EQ(Detect("+AAA-\x1Bx"), R::kAscii);  // ... but the next step rejects at the escape
}

TEST(DetectCharCode, JisEscapesOnlyBeforeEightBitBytes) {
  for (const char* esc : {"$(", "$@", "$B", "(B", "(I", "(J"})
    EXPECT_EQ(Detect(std::string("ab\x1B") + esc + "xyz"), R::kJis) << esc;
  EXPECT_EQ(Detect("ab\x1B$A"), R::kAscii);
  EXPECT_EQ(Detect("ab\x1B$"), R::kAscii);  // too near the end
  EXPECT_EQ(Detect("\x82\xA0\x1B$B\x24\x22"), R::kSjis);
  EXPECT_EQ(DetectCharCode("\x1B$B", 2), R::kAscii);  // the size cuts the escape short
  EXPECT_EQ(DetectCharCode("\x1B$B", 99), R::kJis);   // ... and is clamped to the data
}

TEST(DetectCharCode, EarlyDecisionBySurvivor) {
  EXPECT_EQ(Detect("\xE3\x81\x82\xE3\x81\x84"), R::kUtf8);  // EUC-JP rejects, then Shift_JIS
  EXPECT_EQ(Detect("\x82\xA0\x82\xA2"), R::kSjis);           // UTF-8 and EUC-JP reject at once
  EXPECT_EQ(Detect("\x80"), R::kSjis);                       // 0x80 is a Shift_JIS single byte
  EXPECT_EQ(Detect("\xA4\xA2\xFE\xA1"), R::kEuc);            // 0xFE: Shift_JIS rejects after UTF-8
}

TEST(DetectCharCode, EarlyDecisionByScoresWhenNoneSurvives) {
  EXPECT_EQ(Detect("\xFF"), R::kHighBytes);
  EXPECT_EQ(Detect("+AAA-\xFF"), R::kUtf7);          // the UTF-7 score counts
  EXPECT_EQ(Detect("\xC3\xA9\xFF"), R::kUtf8);       // UTF-8 2 = EUC-JP 2
  EXPECT_EQ(Detect("\xE0\xA0\x81" "A\xFF"), R::kSjis);  // Shift_JIS 4 > UTF-8 3
  EXPECT_EQ(Detect("\xA1\xA1\xFF"), R::kEuc);
}

TEST(DetectCharCode, FinalRules) {
  EXPECT_EQ(Detect("\xA4\xA2"), R::kEuc);        // EUC-JP 2 beats Shift_JIS 0 and UTF-8 (rejected) 0
  EXPECT_EQ(Detect("\xC3\xA9 caf\xC3\xA9"), R::kUtf8);  // EUC-JP ties with UTF-8
  // Shift_JIS and UTF-8 alive, EUC-JP rejected: 12 against 10, then 10 against 10.
  EXPECT_EQ(Detect("\xE0\xA0\x81" "A\xE0\xA0\x81" "A\xC2\x81" "A\xC2\x81" "A"), R::kSjis);
  EXPECT_EQ(Detect("\xC2\x81" "A\xC2\x81" "A\xC2\x81" "A\xC2\x81" "A\xC2\x81" "A"), R::kUtf8);
  EXPECT_EQ(Detect("\xE3\x81"), R::kSjis);  // truncated UTF-8; Shift_JIS pair E3 81
}

// Random mixtures of the bytes that matter to some scanner, and fragments of
// real encodings with noise, checked against the literal step-by-step scanner.
class Mixer {
 public:
  explicit Mixer(uint32_t seed) : rng_(seed) {}
  size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

  std::string Random(size_t len) {
    static const std::string kAlphabet = "+-/aZ09 !\x1B$(BIJ@\n";
    std::string s;
    for (size_t i = 0; i < len; ++i) {
      size_t k = Below(10);
      s += k < 4 ? kAlphabet[Below(kAlphabet.size())] : static_cast<char>(k < 6 ? 0x80 + Below(0x80) : Below(256));
    }
    return s;
  }

  std::string Fragments(size_t count) {
    static const std::vector<std::string> kPieces = {
        "\x82\xA0", "\x88\x9F", "\xB1", "\xA4\xA2", "\x8E\xB1", "\x8F\xB0\xA1", "\xE3\x81\x82", "\xC3\xA9",
        "\xF0\x9F\x98\x80", "+AAA-", "+MEIwRA-", "+-", "abc ", "\x1B$B", "\x1B(B", "\n", "\xE0\xA0\x81" "A",
        "\xFD", "\xFF", "\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xEF\xBB\xBF"};
    std::string s;
    for (size_t i = 0; i < count; ++i) {
      std::string piece = kPieces[Below(kPieces.size())];
      if (Below(8) == 0) piece.resize(Below(piece.size() + 1));  // truncated sequence
      s += piece;
    }
    return s;
  }

 private:
  std::mt19937 rng_;
};

TEST(DetectCharCode, AgreesWithLiteralScannerOnRandomInput) {
  Mixer mix(12345);
  for (int k = 0; k < 20000; ++k) {
    std::string s = k % 2 ? mix.Random(mix.Below(24)) : mix.Fragments(mix.Below(12));
    int want = test::DetectCharCodeLiterally(s);
    ASSERT_EQ(static_cast<int>(Detect(s)), want) << testing::PrintToString(s);
    size_t cut = mix.Below(s.size() + 1);
    ASSERT_EQ(static_cast<int>(DetectCharCode(s, cut)), test::DetectCharCodeLiterally(s.substr(0, cut)));
  }
}

// Long texts that keep two or three of the 8-bit scanners alive for a while,
// with a few bytes changed, so that rejections fall anywhere in the 64-byte
// blocks and 4096-byte chunks of the fast scanner.
std::string LongText(Mixer& mix, int kind, size_t size) {
  std::string s;
  while (s.size() < size) {
    switch (kind) {
      case 0:  // accented Latin in UTF-8: all three alive
        s += mix.Below(5) ? "\xC3\xA9" : " caf";
        break;
      case 1: {  // Japanese in UTF-8 without 7-bit bytes: UTF-8 and Shift_JIS alive
        size_t k = mix.Below(100);
        if (k == 0) s += "\xE0\xA4\x85";
        else if (k == 1) s += "\xF0\x9F\x98\x80";
        else if (k < 10) s += {'\xC2', static_cast<char>(0x80 + mix.Below(64))};
        else s += {static_cast<char>(0xE3 + mix.Below(7)), static_cast<char>(0x80 + mix.Below(64)),
                   static_cast<char>(0x80 + mix.Below(64))};
        break;
      }
      case 2: {  // pieces valid in UTF-8 and Shift_JIS with scores close to each other
        static const char* kPieces[] = {"\xC2\x81" "A", "\xE1\xA0\x81" "A", "\xE3\x81\xA0", "A"};
        s += kPieces[mix.Below(4)];
        break;
      }
      default:  // EUC-JP without FD or FE: Shift_JIS and EUC-JP alive
        s += {static_cast<char>(0xA1 + mix.Below(0x5C)), static_cast<char>(0xA1 + mix.Below(0x5C))};
        if (mix.Below(50) == 0) s += "\x8E\xB1";
        break;
    }
  }
  return s;
}

TEST(DetectCharCode, AgreesWithLiteralScannerOnLongInput) {
  Mixer mix(777);
  const std::string kKillers = "\xFF\xFD\x85\x8E\xA0\xE3\x80\x40\n\x1B";
  for (int k = 0; k < 1000; ++k) {
    std::string s = LongText(mix, k % 4, 64 + mix.Below(k % 10 ? 3000 : 20000));
    for (size_t m = mix.Below(4); m > 0; --m) s[mix.Below(s.size())] = kKillers[mix.Below(kKillers.size())];
    if (k % 4 == 0) s = mix.Random(mix.Below(6)) + s;
    ASSERT_EQ(static_cast<int>(Detect(s)), test::DetectCharCodeLiterally(s)) << "case " << k;
  }
  std::string seven_bit(200000, 'a');  // long 7-bit text: UTF-7 alive throughout
  seven_bit.replace(100, 10, "+AAAAAAAA-");
  EXPECT_EQ(Detect(seven_bit), R::kUtf7);
  EXPECT_EQ(test::DetectCharCodeLiterally(seven_bit), 4);
}

TEST(ByteBlock, MatchesPlainClassification) {
  Mixer mix(5);
  unsigned char bytes[64];
  for (int k = 0; k < 2000; ++k) {
    for (auto& c : bytes) c = static_cast<unsigned char>(mix.Below(256));
    auto lo = static_cast<unsigned char>(mix.Below(256)), hi = static_cast<unsigned char>(lo + mix.Below(256 - lo));
    uint64_t want = 0;
    for (int i = 0; i < 64; ++i) want |= static_cast<uint64_t>(bytes[i] >= lo && bytes[i] <= hi) << i;
    ASSERT_EQ(ByteBlock(bytes).InRange(lo, hi), want);
    ASSERT_EQ(PortableByteBlock(bytes).InRange(lo, hi), want);
    ASSERT_EQ(CountBits(want), std::popcount(want));
  }
}

}  // namespace
}  // namespace zk
