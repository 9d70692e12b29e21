// Made-up Japanese text in each encoding the reader recognises, for the benchmarks.
#pragma once

#include <cstddef>
#include <string>

namespace zk::bench {

enum class Encoding { kSjis, kEuc, kJis, kUtf7, kUtf8, kUtf8Bom, kUtf16Le };

// Lines of hiragana, katakana, kanji, punctuation and a few ASCII words, about
// `bytes` long in the given encoding (whole characters only). Without
// `ascii`, one line of Japanese characters only.
std::string JapaneseText(Encoding encoding, size_t bytes, bool ascii = true);

}  // namespace zk::bench
