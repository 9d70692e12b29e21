// The byte-order marks and UTF-16 bytes of the small text files the program
// reads and writes itself (the settings file, archive links).
#pragma once

#include <string>
#include <string_view>

namespace zk {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// ANSI bytes that begin like a byte-order mark would be read back in another encoding.
bool StartsLikeByteOrderMark(std::string_view bytes);

// UTF-16 code units as bytes, without a mark.
std::string EncodeUtf16Bytes(std::u16string_view text, bool big_endian);
// Bytes as UTF-16 code units; an odd trailing byte cannot be a character and is dropped.
std::u16string DecodeUtf16Bytes(std::string_view bytes, bool big_endian);

}  // namespace zk
