#include "archive/drivers/cmd_opt.h"

#include "archive/archiver_options.h"

namespace zk {

bool EndsWithBackslash(std::string_view text, const LeadByteTest& lead) {
  bool last_is_backslash = false;
  for (size_t i = 0; i < text.size(); ++i) {
    last_is_backslash = text[i] == '\\';
    if (lead.IsLeadByte(static_cast<uint8_t>(text[i])) && i + 1 < text.size()) {
      last_is_backslash = false;
      ++i;
    }
  }
  return last_is_backslash;
}

void TCmdOpt::AddRaw(std::string_view text) {
  text_ += ' ';
  text_ += text;
}

void TCmdOpt::AddNumber(std::string_view name, int value) {
  if (value < 0) return;
  AddRaw("-" + std::string(name) + std::to_string(value));
}

void TCmdOpt::AddFlag(std::string_view name, bool condition) {
  if (condition) AddRaw("-" + std::string(name));
}

void TCmdOpt::AddValue(SwitchName name, const std::string& value) {
  if (IsUnset(value)) return;
  if (!name) {
    AddRaw("\"" + value + "\"");
    return;
  }
  const std::string option =
      !name->empty() && name->front() == ' ' ? std::string(name->substr(1)) : "-" + std::string(*name);
  if (quote_style_ == kQuoteValueOnly)
    AddRaw(option + " \"" + value + "\"");
  else
    AddRaw("\"" + option + value + "\"");
}

void TCmdOpt::AddFolder(SwitchName name, const std::string& folder) {
  if (folder.empty() || IsUnset(folder)) return;
  AddValue(name, EndsWithBackslash(folder, lead_) ? folder : folder + "\\");
}

int TCmdOpt::AddList(SwitchName name, const FileList& list) {
  const std::vector<std::string> names = FlattenFileList(list);
  for (const std::string& entry : names) AddValue(name, Escaped(entry));
  return static_cast<int>(names.size());
}

int TCmdOpt::AddResponseFile(const FileList& list, const std::string& file_name, std::string& contents) {
  const std::vector<std::string> names = FlattenFileList(list);
  contents.clear();
  for (const std::string& entry : names) contents += "\"" + Escaped(entry) + "\"\r\n";
  AddValue(kNoSwitch, "@" + file_name);
  return static_cast<int>(names.size());
}

std::string EscapeZipName(std::string_view name, const LeadByteTest& lead) {
  std::string out;
  size_t i = 0;
  if (!name.empty() && name.front() == '-') {
    out = "[-]";
    i = 1;
  }
  for (; i < name.size(); ++i) {
    const char ch = name[i];
    if (lead.IsLeadByte(static_cast<uint8_t>(ch)) && i + 1 < name.size()) {
      out += ch;
      out += name[++i];
    } else if (ch == '\\') {
      out += '/';
    } else if (ch == '[') {
      out += "[[]";
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace zk
