// Small helpers for the program's UTF-16 text (std::u16string) that the
// portable core needs without the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zk {

// Letter-case folding for comparisons of names and extensions: ASCII, Latin-1,
// Greek, Cyrillic and the full-width Latin letters.
char16_t FoldCase(char16_t c);
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);
bool StartsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix);

// Spaces and control characters (<= U+0020) removed at both ends.
std::u16string_view Trim(std::u16string_view s);

// UTF-8 <-> UTF-16. Invalid UTF-8 bytes become U+FFFD; lone surrogates are
// written as U+FFFD.
std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

// ASCII text into UTF-16 (for literals and numbers).
std::u16string Ascii(std::string_view s);

// Integers as settings files write them: decimal, or hexadecimal after "0x" or "$".
// Leading and trailing spaces are ignored. Values outside the type give nullopt.
std::optional<int64_t> ParseInt64(std::u16string_view s);
std::optional<int32_t> ParseInt32(std::u16string_view s);
std::u16string IntToText(int64_t v);

// The text with each CR and LF made a space, for values written one per line
// (a break inside one would split it, or forge the lines after it).
std::u16string OneLine(std::u16string_view s);

}  // namespace zk
