// Runs of plain 7-bit bytes copied into UTF-16 units, 16 bytes at a time with
// SSE2 where the target has it: most text is mostly such runs, and one byte
// at a time they cost the decoders as much as Japanese characters.
#pragma once

#include <bit>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zk {

// Widens the bytes from p on (at most len) up to the first that is 0x80 or
// above or one of `Stops`, and returns how many it took. It may write further
// units of out beyond those, but none at or past out + len.
template <unsigned char... Stops>
size_t WidenSevenBit(const unsigned char* p, size_t len, char16_t* out) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; i + 16 <= len; i += 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    __m128i stop = v;  // the top bit marks the 8-bit bytes already
    ((stop = _mm_or_si128(stop, _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(Stops))))), ...);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(v, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(v, zero));
    if (int m = _mm_movemask_epi8(stop)) return i + std::countr_zero(static_cast<unsigned>(m));
  }
#endif
  for (; i < len; ++i) {
    unsigned char c = p[i];
    if (c >= 0x80 || ((c == Stops) || ...)) break;
    out[i] = c;
  }
  return i;
}

}  // namespace zk
