// 64 bytes classified at once into bit masks (bit i for byte i), with SSE2
// where the target has it. Used by the encoding scanners to pass over long
// stretches of valid text quickly; the plain loop serves as the reference.
#pragma once

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zk {

// The set bits of a block's mask. Without the POPCNT instruction in the
// target's baseline, std::popcount is a library call, which costs the
// scanners more than counting here.
inline int CountBits(uint64_t m) {
#if defined(__POPCNT__)
  return std::popcount(m);
#else
  m -= (m >> 1) & 0x5555555555555555ULL;
  m = (m & 0x3333333333333333ULL) + ((m >> 2) & 0x3333333333333333ULL);
  m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
  return static_cast<int>((m * 0x0101010101010101ULL) >> 56);
#endif
}

class PortableByteBlock {
 public:
  static constexpr int kSize = 64;
  explicit PortableByteBlock(const unsigned char* p) : p_(p) {}
  // Bytes in [lo, hi].
  uint64_t InRange(unsigned char lo, unsigned char hi) const {
    uint64_t m = 0;
    for (int i = 0; i < kSize; ++i)
      m |= static_cast<uint64_t>(static_cast<unsigned char>(p_[i] - lo) <= static_cast<unsigned char>(hi - lo)) << i;
    return m;
  }

 private:
  const unsigned char* p_;
};

#if defined(__SSE2__)
class Sse2ByteBlock {
 public:
  static constexpr int kSize = 64;
  explicit Sse2ByteBlock(const unsigned char* p) {
    for (int k = 0; k < 4; ++k) v_[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
  }
  uint64_t InRange(unsigned char lo, unsigned char hi) const {
    const __m128i low = _mm_set1_epi8(static_cast<char>(lo));
    const __m128i width = _mm_set1_epi8(static_cast<char>(hi - lo));
    uint64_t m = 0;
    for (int k = 0; k < 4; ++k) {
      __m128i above = _mm_subs_epu8(_mm_sub_epi8(v_[k], low), width);  // 0 where inside
      auto bits = static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(above, _mm_setzero_si128())));
      m |= static_cast<uint64_t>(bits) << (16 * k);
    }
    return m;
  }

 private:
  __m128i v_[4];
};
using ByteBlock = Sse2ByteBlock;
inline constexpr bool kByteBlocksPayOff = true;
#else
using ByteBlock = PortableByteBlock;
inline constexpr bool kByteBlocksPayOff = false;  // slower than scanning byte by byte
#endif

}  // namespace zk
