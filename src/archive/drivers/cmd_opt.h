// The builder of an archiver command line. Every item goes on with one space
// before it, so an empty item still leaves its space.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/drivers/file_list.h"
#include "archive/drivers/lead_bytes.h"

namespace zk {

// A switch name, or none for a bare quoted value.
using SwitchName = std::optional<std::string_view>;
inline constexpr SwitchName kNoSwitch = std::nullopt;

class TCmdOpt {
 public:
  // 0: switch and value inside one pair of quotes ("-wC:\x\");
  // 1: the switch bare, a space, the quoted value (-f "a.tar").
  enum QuoteStyle { kQuoteTogether = 0, kQuoteValueOnly = 1 };
  using Escape = std::function<std::string(std::string_view)>;

  explicit TCmdOpt(const LeadByteTest& lead) : lead_(lead) {}

  void SetQuoteStyle(QuoteStyle style) { quote_style_ = style; }
  // Applied to every file-list entry.
  void SetEscape(Escape escape) { escape_ = std::move(escape); }

  void AddRaw(std::string_view text);
  // "-" + name + value, for values of 0 and above.
  void AddNumber(std::string_view name, int value);
  void AddFlag(std::string_view name, bool condition);
  // Nothing for an unset value. A name starting with a space is the switch
  // itself without that space; any other name gets "-" before it.
  void AddValue(SwitchName name, const std::string& value);
  // Nothing for an empty or unset folder; else the folder with a trailing "\".
  void AddFolder(SwitchName name, const std::string& folder);
  // One value per name of the list, escaped; returns the number of names.
  int AddList(SwitchName name, const FileList& list);
  // The list as a response file's contents (each escaped name in quotes, CR LF
  // after it) and "@" + file_name on the line; returns the number of names.
  int AddResponseFile(const FileList& list, const std::string& file_name, std::string& contents);

  const std::string& Text() const { return text_; }

 private:
  std::string Escaped(const std::string& name) const { return escape_ ? escape_(name) : name; }

  const LeadByteTest& lead_;
  std::string text_;
  QuoteStyle quote_style_ = kQuoteTogether;
  Escape escape_;
};

// How the ZIP archivers want member names: a leading "-" as "[-]", each "\"
// as "/" and each "[" as "[[]"; the second byte of a double-byte character is
// never taken for either.
std::string EscapeZipName(std::string_view name, const LeadByteTest& lead);

}  // namespace zk
