#include "text/detect_char_code.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "text/byte_block.h"

// The scanners are defined step by step over the byte index j: at each step the
// 7-bit checks run (while no 8-bit byte has been seen), then each 8-bit scanner
// whose cursor has reached j consumes one character. Walking them in lockstep
// byte by byte is slow, so this runs them in two phases with the same results:
//   1. Up to the first byte of 0x80 or above only the escape check and the UTF-7
//      scanner can decide anything; the three 8-bit scanners merely step over
//      7-bit bytes, so their cursors all stand at that first 8-bit byte.
//   2. From there the 8-bit scanners no longer depend on each other except
//      through the live count: each is run on its own, in chunks, and the early
//      decision falls at the step where the second of them rejects.
// 7-bit runs are skipped a machine word at a time, and stretches of valid
// UTF-8, Shift_JIS and EUC-JP 64 bytes at a time.

namespace zk {

namespace {

using Byte = unsigned char;
constexpr Byte kEsc = 0x1B;
constexpr size_t kAlive = static_cast<size_t>(-1);
constexpr size_t kChunk = 4096;
constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighBits = 0x8080808080808080ULL;

enum : uint8_t { kUtf7Direct = 1, kUtf7Base64 = 2 };

constexpr std::array<uint8_t, 256> kUtf7Class = [] {
  std::array<uint8_t, 256> t{};
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = kUtf7Direct | kUtf7Base64;
  for (int c = 'a'; c <= 'z'; ++c) t[c] = kUtf7Direct | kUtf7Base64;
  for (int c = '0'; c <= '9'; ++c) t[c] = kUtf7Direct | kUtf7Base64;
  for (char c : std::string_view("\t\n\r '(),-.:?")) t[static_cast<Byte>(c)] |= kUtf7Direct;
  t['/'] = kUtf7Direct | kUtf7Base64;
  t['+'] = kUtf7Base64;
  return t;
}();

struct Scanner {
  size_t cursor = 0;     // 0-based index of the next byte it has not consumed
  size_t score = 0;
  size_t death = kAlive; // index of the byte it rejected at

  bool alive() const { return death == kAlive; }
  bool AliveAt(size_t step) const { return death == kAlive || death > step; }
  void Reject(size_t at) { death = at; }
};

uint64_t Load8(const Byte* p) {
  uint64_t w;
  std::memcpy(&w, p, 8);
  return w;
}

// The first index in [i, end) holding a byte of 0x80 or above, or end.
size_t SkipSevenBit(const Byte* b, size_t i, size_t end) {
  while (i + 8 <= end && !(Load8(b + i) & kHighBits)) i += 8;
  while (i < end && b[i] < 0x80) ++i;
  return i;
}

// The first index in [i, end) holding ESC or a byte of 0x80 or above, or end.
size_t FindEscOrHigh(const Byte* b, size_t i, size_t end) {
  for (; i + 8 <= end; i += 8) {
    uint64_t w = Load8(b + i);
    uint64_t e = w ^ (kOnes * kEsc);  // zero bytes where w holds ESC
    if (((e - kOnes) & ~e & kHighBits) | (w & kHighBits)) break;
  }
  while (i < end && b[i] < 0x80 && b[i] != kEsc) ++i;
  return i;
}

// The first index from i on whose byte is not in the UTF-7 direct set.
size_t SkipDirect(const Byte* b, size_t i, size_t n) {
  while (i + 4 <= n && (kUtf7Class[b[i]] & kUtf7Class[b[i + 1]] & kUtf7Class[b[i + 2]] & kUtf7Class[b[i + 3]] &
                        kUtf7Direct))
    i += 4;
  while (i < n && (kUtf7Class[b[i]] & kUtf7Direct)) ++i;
  return i;
}

bool IsJisEscape(const Byte* b, size_t n, size_t i) {
  if (i + 2 >= n) return false;
  Byte x = b[i + 1], y = b[i + 2];
  return (x == 0x24 && (y == 0x28 || y == 0x40 || y == 0x42)) || (x == 0x28 && (y == 0x42 || y == 0x49 || y == 0x4A));
}

// The UTF-7 scanner's action at step i. True when a second valid run decides.
bool StepUtf7(Scanner& s, const Byte* b, size_t n, size_t i) {
  Byte c = b[s.cursor];
  if (c != '+') {
    if (kUtf7Class[c] & kUtf7Direct)
      ++s.cursor;
    else
      s.Reject(s.cursor);
    return false;
  }
  size_t p = s.cursor + 1;
  size_t run = 0;
  for (; p < n; ++p) {
    if (kUtf7Class[b[p]] & kUtf7Base64) {
      ++run;
      continue;
    }
    if (b[p] != '-') {
      s.Reject(p);
    } else if ((6 * run) % 16 > 5) {  // exact even if 6 * run wraps: 16 divides 2^N
      s.Reject(p);
    } else if (s.score > 0) {
      return true;
    } else {
      s.cursor = p + 1;
      s.score += s.cursor - i;
    }
    return false;
  }
  s.cursor = p;  // the run reached the end: still alive, past the data
  return false;
}

bool IsTrail(Byte c) { return c >= 0x80 && c <= 0xBF; }

// The UTF-8 scanner byte by byte while its cursor is below `limit`.
void Utf8Bytes(Scanner& s, const Byte* b, size_t n, size_t limit) {
  size_t p = s.cursor;
  while (p < limit) {
    Byte c = b[p];
    if (c < 0x80) {
      p = SkipSevenBit(b, p + 1, limit);
      continue;
    }
    size_t len = c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
    if (len == 0 || p + len > n) {
      s.Reject(p);
      break;
    }
    Byte lo = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
    Byte hi = c == 0xF4 ? 0x8F : 0xBF;
    bool ok = b[p + 1] >= lo && b[p + 1] <= hi;
    for (size_t k = 2; k < len; ++k) ok = ok && IsTrail(b[p + k]);
    if (!ok) {
      s.Reject(p);
      break;
    }
    p += len;
    s.score += len;
  }
  s.cursor = p;
}

// The UTF-8 scanner over the 64 bytes at p (a character boundary): the bytes
// it consumes, adding to the score, or 0 when the block holds anything but
// valid two- and three-byte sequences (E0 and four-byte leads included): the
// byte-wise scanner then takes it.
size_t Utf8Block(const Byte* p, size_t& score) {
  ByteBlock block(p);
  uint64_t high = block.InRange(0x80, 0xFF);
  if (!high) return ByteBlock::kSize;
  uint64_t trail = block.InRange(0x80, 0xBF);
  uint64_t lead2 = block.InRange(0xC2, 0xDF);
  uint64_t lead3 = block.InRange(0xE1, 0xEF);
  if (high & ~(trail | lead2 | lead3)) return 0;
  // A sequence that runs past the block is left for the next one.
  uint64_t crossing = (lead2 & (uint64_t{1} << 63)) | (lead3 & (uint64_t{3} << 62));
  int used = crossing ? std::countr_zero(crossing) : ByteBlock::kSize;
  uint64_t inside = used == ByteBlock::kSize ? ~uint64_t{0} : (uint64_t{1} << used) - 1;
  lead2 &= inside;
  lead3 &= inside;
  if (((lead2 << 1) | (lead3 << 1) | (lead3 << 2)) != (trail & inside)) return 0;
  score += CountBits(high & inside);
  return used;
}

// Shift_JIS lead bytes (81-9F, E0-FC) can also be trail bytes, so where a
// character starts is only known from the left.
bool IsSjisLead(Byte c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

void SjisBytes(Scanner& s, const Byte* b, size_t n, size_t limit) {
  size_t p = s.cursor;
  while (p < limit) {
    Byte c = b[p];
    if (c < 0x80) {
      p = SkipSevenBit(b, p + 1, limit);
    } else if (!IsSjisLead(c) && c <= 0xDF) {
      ++p;
    } else if (c <= 0xFC && p + 1 < n && b[p + 1] >= 0x40 && b[p + 1] <= 0xFC && b[p + 1] != 0x7F) {
      p += 2;
      s.score += 2;
    } else {
      s.Reject(p);
      break;
    }
  }
  s.cursor = p;
}

// The Shift_JIS scanner over the 64 bytes at p (a character boundary), as
// Utf8Block. Any byte that cannot lead a character ends one, so each run of
// lead-capable bytes starts a character: its bytes pair up, and a run of odd
// length takes the byte after it as the last trail byte.
size_t SjisBlock(const Byte* p, size_t& score) {
  constexpr uint64_t kEvenBits = 0x5555555555555555ULL;
  ByteBlock block(p);
  uint64_t lead = block.InRange(0x81, 0xFC) & ~block.InRange(0xA0, 0xDF);
  uint64_t bad_trail = block.InRange(0x00, 0x3F) | block.InRange(0x7F, 0x7F);
  uint64_t starts = lead & ~(lead << 1);
  uint64_t even_run_ends = (lead + (starts & kEvenBits)) & ~lead;  // carries out of each run
  uint64_t odd_run_ends = (lead + (starts & ~kEvenBits)) & ~lead;
  uint64_t odd_trails = (even_run_ends & ~kEvenBits) | (odd_run_ends & kEvenBits);
  if (block.InRange(0xFD, 0xFF) | (odd_trails & bad_trail)) return 0;
  int held = std::countl_one(lead) % 2;  // a last lead byte pairs with the next block's first
  score += CountBits(lead) + CountBits(odd_trails) - held;
  return ByteBlock::kSize - held;
}

bool IsEucByte(Byte c) { return c >= 0xA1 && c <= 0xFE; }

void EucBytes(Scanner& s, const Byte* b, size_t n, size_t limit) {
  size_t p = s.cursor;
  while (p < limit) {
    Byte c = b[p];
    size_t len = 0;
    if (c < 0x80) {
      p = SkipSevenBit(b, p + 1, limit);
      continue;
    }
    if (c == 0x8E) {
      if (p + 1 < n && b[p + 1] >= 0xA1 && b[p + 1] <= 0xDF) len = 2;
    } else if (c == 0x8F) {
      if (p + 2 < n && IsEucByte(b[p + 1]) && IsEucByte(b[p + 2])) len = 3;
    } else if (c >= 0xA1) {
      if (p + 1 < n && IsEucByte(b[p + 1])) len = 2;
    }
    if (len == 0) {
      s.Reject(p);
      break;
    }
    p += len;
    s.score += len;
  }
  s.cursor = p;
}

// The EUC-JP scanner over the 64 bytes at p (a character boundary), as
// Utf8Block, for blocks of 7-bit bytes and A1-FE pairs: each run of A1-FE
// bytes pairs up from its start, so a run of odd length ends in a lead byte
// without its trail (the byte-wise scanner then finds the rejection). 8E and
// 8F are left to the byte-wise scanner too.
size_t EucBlock(const Byte* p, size_t& score) {
  constexpr uint64_t kEvenBits = 0x5555555555555555ULL;
  ByteBlock block(p);
  uint64_t high = block.InRange(0x80, 0xFF);
  if (!high) return ByteBlock::kSize;
  uint64_t pair_byte = block.InRange(0xA1, 0xFE);
  if (high & ~pair_byte) return 0;
  uint64_t starts = pair_byte & ~(pair_byte << 1);
  uint64_t even_start_ends = (pair_byte + (starts & kEvenBits)) & ~pair_byte;  // carries out of each run
  uint64_t odd_start_ends = (pair_byte + (starts & ~kEvenBits)) & ~pair_byte;
  if ((even_start_ends & ~kEvenBits) | (odd_start_ends & kEvenBits)) return 0;  // a run of odd length
  int held = std::countl_one(pair_byte) % 2;  // a last lead byte pairs with the next block's first
  score += CountBits(pair_byte) - held;
  return ByteBlock::kSize - held;
}

// Runs a scanner until its cursor reaches `stop` or it rejects, block-wise
// where it can. Blocks end before `stop`, so a rejection found is always at a
// step below it.
template <void (*Bytes)(Scanner&, const Byte*, size_t, size_t), size_t (*Block)(const Byte*, size_t&)>
void Run(Scanner& s, const Byte* b, size_t n, size_t stop) {
  if constexpr (!kByteBlocksPayOff) {
    if (s.alive()) Bytes(s, b, n, stop);
    return;
  }
  while (s.alive() && s.cursor < stop) {
    size_t used = s.cursor + ByteBlock::kSize <= stop ? Block(b + s.cursor, s.score) : 0;
    if (used)
      s.cursor += used;
    else
      Bytes(s, b, n, std::min(stop, s.cursor + ByteBlock::kSize));
  }
}

DetectResult ByScores(size_t utf7, size_t utf8, size_t sjis, size_t euc) {
  DetectResult r = DetectResult::kHighBytes;
  if (utf7 > 0) r = DetectResult::kUtf7;
  if (utf8 > utf7) r = DetectResult::kUtf8;
  if (sjis > utf7 && sjis > utf8) r = DetectResult::kSjis;
  if (euc > utf7 && euc > utf8 && euc > sjis) r = DetectResult::kEuc;
  return r;
}

// From the first 8-bit byte at `start` on.
DetectResult ScanEightBit(const Byte* b, size_t n, size_t start, const Scanner& utf7) {
  Scanner utf8{start}, sjis{start}, euc{start};
  for (size_t stop = start; stop < n;) {
    stop = std::min(n, stop + kChunk);
    Run<Utf8Bytes, Utf8Block>(utf8, b, n, stop);
    Run<SjisBytes, SjisBlock>(sjis, b, n, stop);
    Run<EucBytes, EucBlock>(euc, b, n, stop);
    if (utf8.alive() + sjis.alive() + euc.alive() > 1) continue;
    // The live count fell to 1 at the step of the second rejection; a scanner
    // that rejected later in this chunk was still alive then.
    std::array<size_t, 3> deaths{utf8.death, sjis.death, euc.death};
    std::sort(deaths.begin(), deaths.end());
    size_t step = deaths[1];
    if (utf8.AliveAt(step)) return DetectResult::kUtf8;
    if (sjis.AliveAt(step)) return DetectResult::kSjis;
    if (euc.AliveAt(step)) return DetectResult::kEuc;
    return ByScores(utf7.score, utf8.score, sjis.score, euc.score);
  }
  DetectResult r = DetectResult::kHighBytes;
  if (utf8.alive() && utf8.score > 0) r = DetectResult::kUtf8;
  if (sjis.alive() && sjis.score > utf8.score) r = DetectResult::kSjis;
  if (euc.alive() && euc.score > utf8.score && euc.score > sjis.score) r = DetectResult::kEuc;
  return r;
}

}  // namespace

DetectResult DetectCharCode(std::string_view bytes, size_t size) {
  const size_t n = std::min(size, bytes.size());
  const auto* b = reinterpret_cast<const Byte*>(bytes.data());
  Scanner utf7;
  size_t i = 0;
  while (i < n) {
    if (utf7.alive() && utf7.cursor == i) {
      // Direct characters: the scanner steps over them and nothing else acts.
      size_t next = SkipDirect(b, i, n);
      if (next > i) {
        utf7.cursor = i = next;
        continue;
      }
    }
    if (utf7.alive() && utf7.cursor <= i) {
      Byte c = b[i];
      if (c >= 0x80) break;
      if (c == kEsc) {
        if (IsJisEscape(b, n, i)) return DetectResult::kJis;
      } else if (StepUtf7(utf7, b, n, i)) {
        return DetectResult::kUtf7;
      }
      ++i;
    } else if (utf7.alive()) {
      i = std::min(utf7.cursor, n);  // the run it consumed holds neither ESC nor 8-bit bytes
    } else {
      i = FindEscOrHigh(b, i, n);
      if (i == n || b[i] >= 0x80) break;
      if (IsJisEscape(b, n, i)) return DetectResult::kJis;
      ++i;
    }
  }
  if (i < n) return ScanEightBit(b, n, i, utf7);
  return utf7.alive() && utf7.score > 0 ? DetectResult::kUtf7 : DetectResult::kAscii;
}

}  // namespace zk
