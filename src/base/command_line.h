// The program's command-line switches.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zk {

enum class CommandLineNotice {
  kHelp,           // "-?" or "/?": show the help box
  kMissingFolder,  // "-i" named a folder that does not exist
};

struct CommandLine {
  std::u16string settings_folder;   // empty: the program's folder
  bool run_everything_at_start = false;
  std::vector<CommandLineNotice> notices;  // in the order of the parameters
};

// params excludes the program name. folder_exists answers for "-i" folders.
CommandLine ParseCommandLine(const std::vector<std::u16string>& params,
                             const std::function<bool(const std::u16string&)>& folder_exists);

// The settings file: in settings_folder when given, else beside the program.
std::u16string IniFileNameFor(const std::u16string& program_path, const std::u16string& settings_folder);
// The toolbar layout file beside the settings file.
std::u16string ToolbarIniNameFor(const std::u16string& ini_file_name);

extern const char16_t kHelpText[];         // body of the help box
extern const char16_t kHelpCaption[];      // its caption
extern const char16_t kMissingFolderText[];

}  // namespace zk
