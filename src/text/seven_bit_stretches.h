// The loop the byte-oriented decoders share: the input a stretch at a time
// into UnitOutput, runs of 7-bit bytes widened many at a time, and every other
// character left to the decoder's own step.
#pragma once

#include <string>
#include <string_view>

#include "text/unit_output.h"
#include "text/widen.h"

namespace zk {

// `step(b, n, c, i, o)` decodes the character whose first byte c (0x80 or
// above) is b[i], of n bytes in all: it advances i past the bytes it takes
// and o past the units it writes (a few at most; the stretch's room has slack
// for them).
template <typename Step>
std::u16string DecodeSevenBitStretches(std::string_view bytes, Step step) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  UnitOutput out(n);
  for (size_t i = 0; i < n;) {
    const size_t end = StretchEnd(i, n);
    char16_t* o = out.Stretch();
    while (i < end) {
      const unsigned char c = b[i];
      if (c < 0x80) {
        size_t run = WidenSevenBit(b + i, end - i, o);
        i += run;
        o += run;
      } else {
        step(b, n, c, i, o);
      }
    }
    out.Commit(o);
  }
  return out.Take();
}

}  // namespace zk
