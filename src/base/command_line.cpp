#include "base/command_line.h"

#include "base/paths.h"
#include "base/text.h"

namespace zk {

const char16_t kHelpText[] = u"/iFolderName IniFile を作るフォルダを指定します";
const char16_t kHelpCaption[] = u"Command Parameter";
const char16_t kMissingFolderText[] = u"起動スイッチ i で指定されたフォルダがありません";

namespace {

// "-x" or "/x" at the start of a parameter, the letter in any case.
bool HasSwitch(std::u16string_view param, char16_t letter) {
  return param.size() >= 2 && (param[0] == u'-' || param[0] == u'/') &&
         FoldCase(param[1]) == FoldCase(letter);
}

// The folder after "-i" is at most 256 characters long, as a path buffer allows.
constexpr size_t kMaxFolderLength = 256;

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::u16string>& params,
                             const std::function<bool(const std::u16string&)>& folder_exists) {
  CommandLine result;
  for (const std::u16string& param : params) {
    if (param == u"-?" || param == u"/?") {
      result.notices.push_back(CommandLineNotice::kHelp);
    } else if (param.size() > 2 && HasSwitch(param, u'i')) {
      std::u16string folder = param.substr(2, kMaxFolderLength);
      if (folder_exists && folder_exists(folder))
        result.settings_folder = std::move(folder);
      else
        result.notices.push_back(CommandLineNotice::kMissingFolder);
    } else if (HasSwitch(param, u'e')) {
      result.run_everything_at_start = true;
    }
  }
  return result;
}

std::u16string IniFileNameFor(const std::u16string& program_path, const std::u16string& settings_folder) {
  if (settings_folder.empty()) return ChangeFileExt(program_path, u".ini");
  return IncludeTrailingDelimiter(settings_folder) + ChangeFileExt(ExtractFileName(program_path), u".ini");
}

std::u16string ToolbarIniNameFor(const std::u16string& ini_file_name) {
  return ChangeFileExt(ini_file_name, u".ToolBarDat");
}

}  // namespace zk
