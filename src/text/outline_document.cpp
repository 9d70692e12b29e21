#include "text/outline_document.h"

#include "base/text.h"

namespace zk {

namespace {

bool StartsWith(std::u16string_view line, std::u16string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

constexpr std::u16string_view kChapter = u"<chapter>";

// Tag lines that are not part of a chapter body.
bool IsLeftOut(std::u16string_view line) {
  if (line == u"<content>" || line == u"</content>" || line == u"</group>") return true;
  for (std::u16string_view mark : {u"<imagefile>", u"<linkmark>", u"<anchormark>", u"<readonly>"})
    if (StartsWith(line, mark)) return true;
  return false;
}

std::u16string DecodeUtf16(std::string_view bytes, bool big_endian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    out += big_endian ? char16_t((a << 8) | b) : char16_t((b << 8) | a);
  }
  return out;
}

}  // namespace

std::vector<std::u16string> ReadTextLines(std::string_view bytes, const AnsiCodec& ansi) {
  std::u16string text;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") text = Utf8ToUtf16(bytes.substr(3));
  else if (bytes.substr(0, 2) == "\xFF\xFE") text = DecodeUtf16(bytes.substr(2), false);
  else if (bytes.substr(0, 2) == "\xFE\xFF") text = DecodeUtf16(bytes.substr(2), true);
  else text = ansi.Decode(bytes);

  std::vector<std::u16string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.emplace_back(text, start, i - start);
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text, start);
  return lines;
}

OutlineChapter ReadOutlineDocument(std::string_view bytes, const AnsiCodec& ansi) {
  const std::vector<std::u16string> lines = ReadTextLines(bytes, ansi);
  const size_t count = lines.size();
  std::vector<std::u16string_view> body;
  std::u16string title;
  int chapters = 0;
  bool in_picture = false;

  // A chapter's header lines (a "<nodefont>" line among them) run up to and
  // including the first line that begins "<attribute>"; without one, reading
  // ends.
  auto skip_header = [&](size_t& i) {
    while (i < count && !StartsWith(lines[i], u"<attribute>")) ++i;
    ++i;
  };

  size_t i = 0;
  while (i < count) {
    const std::u16string& line = lines[i];
    if (in_picture) {
      if (line == u"}\\par") in_picture = false;
      ++i;
    } else if (line == u"<group>") {
      if (chapters > 0) break;
      ++i;
      if (i < count && StartsWithIgnoreCase(lines[i], kChapter)) {
        ++chapters;
        title = lines[i].substr(kChapter.size());
        ++i;
        skip_header(i);
      } else {
        ++i;
      }
    } else if (StartsWithIgnoreCase(line, kChapter)) {
      if (chapters > 0) break;
      ++chapters;
      std::u16string_view chapter = line;
      if (chapter.ends_with(u'\t')) chapter.remove_suffix(1);
      title = chapter.substr(kChapter.size());
      ++i;
      skip_header(i);
    } else if (IsLeftOut(line)) {
      ++i;
    } else if (StartsWith(line, u"010009000003")) {
      // The hexadecimal data of an embedded picture; the two lines before it
      // open the picture's group.
      in_picture = true;
      if (body.size() > 2) body.resize(body.size() - 2);
      ++i;
    } else {
      body.push_back(line);
      ++i;
    }
  }

  OutlineChapter result;
  result.title = std::move(title);
  std::u16string joined;
  for (size_t k = 0; k < body.size(); ++k) {
    if (k > 0) joined += u"\r\n";
    joined += body[k];
  }
  if (joined.size() > 1) {
    result.showed = true;
    result.rich_text = ansi.Encode(joined);
  } else {
    result.showed = !result.title.empty();
  }
  return result;
}

}  // namespace zk
