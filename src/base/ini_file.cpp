#include "base/ini_file.h"

#include "base/text.h"
#include "base/text_file_codec.h"

namespace zk {
namespace {

// Lines end at CR LF, LF or a lone CR.
std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

IniFile IniFile::Parse(std::string_view bytes, const AnsiCodec& ansi) {
  IniFile ini;
  std::u16string text;
  if (bytes.starts_with(kUtf8Bom)) {
    ini.encoding_ = IniEncoding::kUtf8Bom;
    text = Utf8ToUtf16(bytes.substr(kUtf8Bom.size()));
  } else if (bytes.starts_with(kUtf16LeBom)) {
    ini.encoding_ = IniEncoding::kUtf16LeBom;
    text = DecodeUtf16Bytes(bytes.substr(kUtf16LeBom.size()), false);
  } else if (bytes.starts_with(kUtf16BeBom)) {
    ini.encoding_ = IniEncoding::kUtf16BeBom;
    text = DecodeUtf16Bytes(bytes.substr(kUtf16BeBom.size()), true);
  } else {
    ini.encoding_ = IniEncoding::kAnsi;
    text = ansi.Decode(bytes);
  }

  Section* current = nullptr;
  for (std::u16string_view raw_line : SplitLines(text)) {
    const std::u16string_view line = Trim(raw_line);
    if (line.empty() || line.front() == u';') continue;

    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      const std::u16string_view name = Trim(line.substr(1, line.size() - 2));
      // A section met again continues the first one, so that nothing in it is lost
      // and every key stays reachable.
      current = ini.FindSection(name);
      if (!current) {
        ini.sections_.push_back(Section{std::u16string(name), {}});
        current = &ini.sections_.back();
      }
      continue;
    }

    if (!current) {
      ini.preamble_.emplace_back(line);
      continue;
    }
    Line entry;
    const size_t eq = line.find(u'=');
    if (eq == std::u16string_view::npos) {
      entry.raw = std::u16string(line);
    } else {
      entry.has_key = true;
      entry.key = std::u16string(Trim(line.substr(0, eq)));
      entry.value = std::u16string(Trim(line.substr(eq + 1)));
    }
    current->lines.push_back(std::move(entry));
  }
  return ini;
}

std::string IniFile::Serialize(const AnsiCodec& ansi) const {
  std::u16string text;
  for (const auto& line : preamble_) text += line + u"\r\n";
  if (!preamble_.empty()) text += u"\r\n";
  for (const auto& section : sections_) {
    text += u"[" + section.name + u"]\r\n";
    for (const auto& line : section.lines) {
      if (line.has_key)
        text += line.key + u"=" + line.value;
      else
        text += line.raw;
      text += u"\r\n";
    }
    text += u"\r\n";
  }

  switch (encoding_) {
    case IniEncoding::kUtf8Bom:
      return std::string(kUtf8Bom) + Utf16ToUtf8(text);
    case IniEncoding::kUtf16LeBom:
      return std::string(kUtf16LeBom) + EncodeUtf16Bytes(text, false);
    case IniEncoding::kUtf16BeBom:
      return std::string(kUtf16BeBom) + EncodeUtf16Bytes(text, true);
    case IniEncoding::kAnsi:
      break;
  }
  // Text the code page cannot hold (a folder name in another script, say) would
  // come back as "?" next time, and text whose bytes begin like a byte-order
  // mark in another encoding; such a file is written as UTF-8 instead.
  std::string bytes = ansi.Encode(text);
  if (ansi.Decode(bytes) == text && !StartsLikeByteOrderMark(bytes)) return bytes;
  return std::string(kUtf8Bom) + Utf16ToUtf8(text);
}

IniFile::Section* IniFile::FindSection(std::u16string_view name) {
  for (auto& section : sections_)
    if (EqualsIgnoreCase(section.name, name)) return &section;
  return nullptr;
}

const IniFile::Section* IniFile::FindSection(std::u16string_view name) const {
  for (const auto& section : sections_)
    if (EqualsIgnoreCase(section.name, name)) return &section;
  return nullptr;
}

std::optional<std::u16string> IniFile::Find(std::u16string_view section, std::u16string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  for (const auto& line : s->lines)
    if (line.has_key && EqualsIgnoreCase(line.key, key)) return line.value;
  return std::nullopt;
}

std::u16string IniFile::ReadString(std::u16string_view section, std::u16string_view key,
                                   std::u16string_view def) const {
  auto v = Find(section, key);
  return v ? std::move(*v) : std::u16string(def);
}

int32_t IniFile::ReadInteger(std::u16string_view section, std::u16string_view key, int32_t def) const {
  auto v = Find(section, key);
  if (!v) return def;
  return ParseInt32(*v).value_or(def);
}

int64_t IniFile::ReadInt64(std::u16string_view section, std::u16string_view key, int64_t def) const {
  auto v = Find(section, key);
  if (!v) return def;
  return ParseInt64(*v).value_or(def);
}

bool IniFile::ReadBool(std::u16string_view section, std::u16string_view key, bool def) const {
  auto v = Find(section, key);
  if (!v) return def;
  auto n = ParseInt64(*v);
  return n ? *n != 0 : def;
}

void IniFile::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  Section* s = FindSection(section);
  if (!s) {
    sections_.push_back(Section{OneLine(section), {}});
    s = &sections_.back();
  }
  for (auto& line : s->lines) {
    if (line.has_key && EqualsIgnoreCase(line.key, key)) {
      line.value = OneLine(value);
      return;
    }
  }
  Line entry;
  entry.has_key = true;
  entry.key = OneLine(key);
  entry.value = OneLine(value);
  s->lines.push_back(std::move(entry));
}

void IniFile::WriteInteger(std::u16string_view section, std::u16string_view key, int64_t value) {
  WriteString(section, key, IntToText(value));
}

void IniFile::WriteBool(std::u16string_view section, std::u16string_view key, bool value) {
  WriteString(section, key, value ? u"1" : u"0");
}

bool IniFile::SectionExists(std::u16string_view section) const { return FindSection(section) != nullptr; }

std::vector<std::u16string> IniFile::SectionNames() const {
  std::vector<std::u16string> names;
  names.reserve(sections_.size());
  for (const auto& section : sections_) names.push_back(section.name);
  return names;
}

std::vector<std::u16string> IniFile::KeyNames(std::u16string_view section) const {
  std::vector<std::u16string> names;
  if (const Section* s = FindSection(section))
    for (const auto& line : s->lines)
      if (line.has_key) names.push_back(line.key);
  return names;
}

}  // namespace zk
