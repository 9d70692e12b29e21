// What the main window asks of its surroundings beyond its own window: the
// message box, the dialogs it opens and the programs it starts. An empty
// function means the real one; tests answer the ones they need themselves.
// Whoever makes the window may share the object with it and change its
// functions while the window lives.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/dialogs/save_file_dialog.h"

namespace zk {

class TZKAboutForm;
class TZKOptionsForm;
class TZKSaveDialogForm;

struct MainFormServices {
  // Shows a message box; returns the button pressed.
  std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)> message_box;
  // Run once each dialog is up.
  std::function<void(TZKAboutForm&)> about_shown;
  std::function<void(TZKOptionsForm&)> options_form_shown;
  std::function<void(TZKSaveDialogForm&)> save_dialog_form_shown;
  // Opens the settings file (Shift on the settings command); empty: the shell opens it.
  std::function<void(const std::u16string& quoted_path)> open_settings_file;
  // Starts an outside viewer; true when it started.
  std::function<bool(const std::u16string& command_line, const std::u16string& folder)> start_outside_program;
  // Asks for an archive link's new target; an empty result is a cancel.
  std::function<std::u16string(HWND owner, const std::u16string& title, const std::u16string& filter,
                               const std::u16string& current)>
      open_link_target_dialog;
  // Whether a file (or, with `folder`, a folder) exists; empty: the file system.
  std::function<bool(const std::u16string& path, bool folder)> path_exists;
  // The save-file dialog; nullopt when cancelled.
  std::function<std::optional<SaveFileAnswer>(HWND owner, const SaveFileRequest& request)> save_file_dialog;
};

}  // namespace zk
