// The platform's save-file dialog, asked for in one request so that tests can
// answer it in place of the real dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace zk {

struct SaveFileRequest {
  std::u16string title;
  std::u16string filter;        // "name|pattern|name|pattern..."
  std::u16string file_name;     // the initial name
  std::u16string default_ext;   // without the dot; empty: none
  bool ask_overwrite = false;   // the dialog itself asks before replacing a file
  bool preview = false;         // a preview of the selected picture file below the list
};

struct SaveFileAnswer {
  std::u16string path;
  int filter_index = 1;  // 1-based
};

// The real dialog: hides the read-only box, shows a help button, wants an
// existing folder, refuses read-only files and can be resized. nullopt: cancelled.
std::optional<SaveFileAnswer> ShowSaveFileDialog(HWND owner, const SaveFileRequest& request);

}  // namespace zk
