#include "base/text.h"

#include <limits>

namespace zk {

char16_t FoldCase(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return char16_t(c + 32);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return char16_t(c + 32);  // Greek
  if (c >= 0x410 && c <= 0x42F) return char16_t(c + 32);                 // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return char16_t(c + 80);
  if (c >= 0xFF21 && c <= 0xFF3A) return char16_t(c + 32);               // full-width
  return c;
}

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

bool StartsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::u16string_view Trim(std::u16string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= u' ') ++b;
  while (e > b && s[e - 1] <= u' ') --e;
  return s.substr(b, e - b);
}

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    uint32_t cp;
    size_t len;
    if (c < 0x80) { cp = c; len = 1; }
    else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; len = 2; }
    else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; len = 3; }
    else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; len = 4; }
    else { out += u'\uFFFD'; ++i; continue; }
    bool ok = i + len <= s.size();
    for (size_t k = 1; ok && k < len; ++k) {
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (cc & 0x3F);
    }
    static const uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!ok || cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += char16_t(0xD800 + (cp >> 10));
      out += char16_t(0xDC00 + (cp & 0x3FF));
    } else {
      out += char16_t(cp);
    }
    i += len;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out += char(cp);
    } else if (cp < 0x800) {
      out += char(0xC0 | (cp >> 6));
      out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += char(0xE0 | (cp >> 12));
      out += char(0x80 | ((cp >> 6) & 0x3F));
      out += char(0x80 | (cp & 0x3F));
    } else {
      out += char(0xF0 | (cp >> 18));
      out += char(0x80 | ((cp >> 12) & 0x3F));
      out += char(0x80 | ((cp >> 6) & 0x3F));
      out += char(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::u16string Ascii(std::string_view s) { return std::u16string(s.begin(), s.end()); }

std::optional<int64_t> ParseInt64(std::u16string_view s) {
  s = Trim(s);
  bool negative = false;
  if (!s.empty() && (s[0] == u'-' || s[0] == u'+')) {
    negative = s[0] == u'-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == u'$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() >= 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return std::nullopt;
  uint64_t v = 0;
  for (char16_t c : s) {
    int d;
    if (c >= u'0' && c <= u'9') d = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f') d = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F') d = c - u'A' + 10;
    else return std::nullopt;
    if (v > (std::numeric_limits<uint64_t>::max() - d) / base) return std::nullopt;
    v = v * base + d;
  }
  if (base == 16) {
    // Hexadecimal spells out the bits: "$FF00000F" is a negative 32-bit value.
    if (v <= 0xFFFFFFFFull) {
      int64_t r = static_cast<int32_t>(static_cast<uint32_t>(v));
      return negative ? -r : r;
    }
    if (v > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) return std::nullopt;
    return negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
  }
  if (negative) {
    if (v > uint64_t(std::numeric_limits<int64_t>::max()) + 1) return std::nullopt;
    return static_cast<int64_t>(0 - v);
  }
  if (v > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) return std::nullopt;
  return static_cast<int64_t>(v);
}

std::optional<int32_t> ParseInt32(std::u16string_view s) {
  auto v = ParseInt64(s);
  if (!v || *v < std::numeric_limits<int32_t>::min() || *v > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  return static_cast<int32_t>(*v);
}

std::u16string IntToText(int64_t v) { return Ascii(std::to_string(v)); }

std::u16string OneLine(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out)
    if (c == u'\r' || c == u'\n') c = u' ';
  return out;
}

}  // namespace zk
