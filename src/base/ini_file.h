// The settings file format: an INI text held whole in memory.
//
// Sections and keys keep the order in which they were first met or created and
// are found without regard to letter case. Spaces around "=" are dropped, and so
// are comment lines (";") and empty lines. Sections and keys the program does not
// know, and lines without "=", are kept and written back. The file is written in
// the encoding it was read in: UTF-8 or UTF-16 with their byte-order marks, or the
// ANSI code page (also the encoding of a new file). Text the ANSI code page
// cannot hold is written as UTF-8 with its byte-order mark instead, so that no
// character turns into "?".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ansi_codec.h"

namespace zk {

enum class IniEncoding { kAnsi, kUtf8Bom, kUtf16LeBom, kUtf16BeBom };

class IniFile {
 public:
  IniFile() = default;

  // Reads a whole file's bytes; never fails (anything unreadable is skipped).
  static IniFile Parse(std::string_view bytes, const AnsiCodec& ansi);
  // The whole file, in its encoding, CRLF line ends, an empty line after each section.
  std::string Serialize(const AnsiCodec& ansi) const;

  IniEncoding encoding() const { return encoding_; }
  void set_encoding(IniEncoding e) { encoding_ = e; }

  std::optional<std::u16string> Find(std::u16string_view section, std::u16string_view key) const;
  std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                            std::u16string_view def) const;
  // Decimal, "0x" or "$" hexadecimal; anything that does not parse gives def.
  int32_t ReadInteger(std::u16string_view section, std::u16string_view key, int32_t def) const;
  int64_t ReadInt64(std::u16string_view section, std::u16string_view key, int64_t def) const;
  // Any integer other than 0 is true.
  bool ReadBool(std::u16string_view section, std::u16string_view key, bool def) const;

  // Replaces the value in place, or appends the key (and the section) at the end.
  void WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  void WriteInteger(std::u16string_view section, std::u16string_view key, int64_t value);
  void WriteBool(std::u16string_view section, std::u16string_view key, bool value);

  bool SectionExists(std::u16string_view section) const;
  std::vector<std::u16string> SectionNames() const;
  std::vector<std::u16string> KeyNames(std::u16string_view section) const;

 private:
  struct Line {
    std::u16string key;    // empty for a line without "=" (kept verbatim in raw)
    std::u16string value;
    std::u16string raw;
    bool has_key = false;
  };
  struct Section {
    std::u16string name;
    std::vector<Line> lines;
  };

  Section* FindSection(std::u16string_view name);
  const Section* FindSection(std::u16string_view name) const;

  IniEncoding encoding_ = IniEncoding::kAnsi;
  std::vector<std::u16string> preamble_;  // lines before the first section
  std::vector<Section> sections_;
};

}  // namespace zk
