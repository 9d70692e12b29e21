#include "markup_text.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace xdoc {
namespace {

std::wstring Decode(std::string_view bytes, UINT code_page) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

// Line ends inside the text itself (a cell with a break, say) become CRLF too.
std::wstring WithCrLf(const std::wstring& s) {
  std::wstring out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L'\n' && (i == 0 || s[i - 1] != L'\r')) out += L'\r';
    out += s[i];
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// `ref` is what stands between '&' and ';'.
bool DecodeReference(std::string_view ref, uint32_t& cp) {
  static const struct {
    std::string_view name;
    char ch;
  } kNamed[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& n : kNamed) {
    if (ref == n.name) {
      cp = static_cast<uint8_t>(n.ch);
      return true;
    }
  }
  if (ref.size() < 2 || ref[0] != '#') return false;
  bool hex = ref[1] == 'x' || ref[1] == 'X';
  std::string_view digits = ref.substr(hex ? 2 : 1);
  if (digits.empty()) return false;
  uint32_t v = 0;
  for (char c : digits) {
    int d = hex ? HexDigit(c) : (IsDigit(c) ? c - '0' : -1);
    if (d < 0) return false;
    v = std::min<uint32_t>(v * (hex ? 16 : 10) + static_cast<uint32_t>(d), 0x110000);
  }
  // Not a character XML allows: shown as the replacement character.
  if (v == 0 || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) v = 0xFFFD;
  cp = v;
  return true;
}

void AppendCharData(std::string& out, std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    size_t semi = s[i] == '&' ? s.find(';', i) : std::string_view::npos;
    uint32_t cp = 0;
    if (semi != std::string_view::npos && semi - i <= 12 && DecodeReference(s.substr(i + 1, semi - i - 1), cp)) {
      AppendUtf8(out, cp);
      i = semi + 1;
    } else {
      out += s[i++];
    }
  }
}

// Whitespace with a line break between two tags is the file's own layout,
// not document text.
bool IsLayoutWhitespace(std::string_view run) {
  bool newline = false;
  for (char c : run) {
    if (c == '\n' || c == '\r') newline = true;
    else if (c != ' ' && c != '\t') return false;
  }
  return newline;
}

bool OneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

class XmlText {
 public:
  void CharData(std::string_view run) {
    if (hidden_ == 0 && !IsLayoutWhitespace(run)) AppendCharData(text_, run);
  }

  // `tag` is what stands between '<' and '>'.
  void Tag(std::string_view tag) {
    if (tag.empty() || tag[0] == '?' || tag[0] == '!') return;
    bool closing = tag[0] == '/';
    bool empty = tag.back() == '/';
    std::string_view body = closing ? tag.substr(1) : tag;
    std::string_view name = body.substr(0, body.find_first_of(" \t\r\n/"));
    // Field codes, deleted text, tab stops and reading aids are not text.
    if (OneOf(name, {"w:instrText", "w:delText", "w:tabs", "rPh", "a:extLst"})) {
      if (closing) hidden_ = std::max(0, hidden_ - 1);
      else if (!empty) ++hidden_;
      return;
    }
    if (hidden_ > 0) return;
    if (OneOf(name, {"w:p", "text:p", "text:h", "a:p", "si"})) {
      if (closing || empty) text_ += "\r\n";
    } else if (!closing) {
      if (OneOf(name, {"w:tab", "text:tab"})) text_ += '\t';
      else if (OneOf(name, {"w:br", "w:cr", "text:line-break", "a:br"})) text_ += "\r\n";
      else if (name == "text:s") text_ += ' ';
    }
  }

  void Verbatim(std::string_view s) {
    if (hidden_ == 0) text_ += s;
  }

  const std::string& text() const { return text_; }

 private:
  std::string text_;  // UTF-8
  int hidden_ = 0;
};

// RTF destinations whose content is not document text.
bool IsHiddenDestination(std::string_view word) {
  return OneOf(word, {"fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "fldinst", "listtable",
                      "listoverridetable", "rsidtbl", "themedata", "colorschememapping", "latentstyles",
                      "datastore", "xmlnstbl", "generator", "header", "headerl", "headerr", "headerf", "footer",
                      "footerl", "footerr", "footerf", "footnote"});
}

}  // namespace

std::wstring XmlToText(std::string_view xml) {
  if (xml.substr(0, 3) == "\xEF\xBB\xBF") xml.remove_prefix(3);
  XmlText out;
  size_t i = 0;
  while (i < xml.size()) {
    size_t lt = xml.find('<', i);
    out.CharData(xml.substr(i, lt == std::string_view::npos ? std::string_view::npos : lt - i));
    if (lt == std::string_view::npos) break;
    if (xml.substr(lt, 4) == "<!--") {
      size_t end = xml.find("-->", lt + 4);
      if (end == std::string_view::npos) break;
      i = end + 3;
    } else if (xml.substr(lt, 9) == "<![CDATA[") {
      size_t end = xml.find("]]>", lt + 9);
      out.Verbatim(xml.substr(lt + 9, end == std::string_view::npos ? std::string_view::npos : end - lt - 9));
      if (end == std::string_view::npos) break;
      i = end + 3;
    } else {
      size_t gt = xml.find('>', lt);
      if (gt == std::string_view::npos) break;  // a tag cut off by damage
      out.Tag(xml.substr(lt + 1, gt - lt - 1));
      i = gt + 1;
    }
  }
  return WithCrLf(Decode(out.text(), CP_UTF8));
}

std::wstring RtfToText(std::string_view rtf) {
  struct Group {
    bool hidden = false;
    int uc = 1;  // characters of fallback text after each \u
  };
  std::vector<Group> outer;
  Group cur;
  UINT code_page = CP_ACP;
  std::wstring out;
  std::string bytes;  // 8-bit text waiting for its code page
  int fallback = 0;   // fallback characters still to skip after a \u

  auto flush = [&] {
    out += Decode(bytes, code_page);
    bytes.clear();
  };
  auto emit = [&](std::wstring_view s) {
    if (cur.hidden) return;
    flush();
    out += s;
  };
  auto emit_byte = [&](char b) {
    if (fallback > 0) --fallback;
    else if (!cur.hidden) bytes += b;
  };

  size_t i = 0;
  while (i < rtf.size()) {
    char c = rtf[i++];
    if (c == '{') {
      outer.push_back(cur);
      fallback = 0;
      continue;
    }
    if (c == '}') {
      if (!outer.empty()) {
        cur = outer.back();
        outer.pop_back();
      }
      fallback = 0;
      continue;
    }
    if (c == '\r' || c == '\n') continue;
    if (c != '\\') {
      emit_byte(c);
      continue;
    }
    if (i >= rtf.size()) break;
    char s = rtf[i];
    if (!IsAlpha(s)) {
      ++i;
      if (s == '\'') {
        if (i + 2 <= rtf.size() && HexDigit(rtf[i]) >= 0 && HexDigit(rtf[i + 1]) >= 0) {
          emit_byte(static_cast<char>(HexDigit(rtf[i]) * 16 + HexDigit(rtf[i + 1])));
          i += 2;
        }
      } else if (s == '\\' || s == '{' || s == '}') {
        emit_byte(s);
      } else if (s == '~') {
        emit(L"\u00A0");
      } else if (s == '_') {
        emit(L"-");
      } else if (s == '*') {
        cur.hidden = true;
      } else if (s == '\r' || s == '\n') {
        emit(L"\r\n");
      }
      continue;
    }
    size_t start = i;
    while (i < rtf.size() && IsAlpha(rtf[i]) && i - start < 32) ++i;
    std::string_view word = rtf.substr(start, i - start);
    bool negative = i < rtf.size() && rtf[i] == '-';
    if (negative) ++i;
    bool has_param = false;
    long param = 0;
    while (i < rtf.size() && IsDigit(rtf[i])) {
      has_param = true;
      if (param < 100000000) param = param * 10 + (rtf[i] - '0');
      ++i;
    }
    if (negative) param = -param;
    if (i < rtf.size() && rtf[i] == ' ') ++i;

    if (OneOf(word, {"par", "line", "row", "page", "sect"})) {
      emit(L"\r\n");
    } else if (OneOf(word, {"tab", "cell"})) {
      emit(L"\t");
    } else if (word == "u" && has_param) {
      wchar_t ch = static_cast<wchar_t>(static_cast<uint16_t>(param));
      emit(std::wstring_view(&ch, 1));
      fallback = cur.uc;
    } else if (word == "uc" && has_param) {
      cur.uc = static_cast<int>(std::clamp(param, 0L, 16L));
    } else if (word == "ansicpg" && has_param && param > 0 && param < 65536 &&
               IsValidCodePage(static_cast<UINT>(param))) {
      flush();
      code_page = static_cast<UINT>(param);
    } else if (word == "bin" && has_param && param > 0) {
      i += std::min(static_cast<size_t>(param), rtf.size() - i);
    } else if (IsHiddenDestination(word)) {
      cur.hidden = true;
    }
  }
  flush();
  return out;
}

}  // namespace xdoc
