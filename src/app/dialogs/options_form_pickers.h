// The platform dialogs the settings dialog opens: open-file, folder, font,
// colour and a one-line text entry. They stand together in one replaceable
// set, so that tests answer them without a real dialog on the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "base/colors.h"
#include "app/model/settings.h"

namespace zk {

struct OptionsPickers {
  // Open-file dialog; filter is "name|pattern|name|pattern...". It starts in
  // the folder of current when that folder exists. nullopt: cancelled.
  std::function<std::optional<std::u16string>(HWND owner, const std::u16string& title, const std::u16string& filter,
                                              const std::u16string& current)>
      open_file;
  // Folder picker; empty: cancelled.
  std::function<std::u16string(HWND owner, const std::u16string& initial, const std::u16string& title,
                               bool with_edit_box)>
      browse_folder;
  // Font dialog starting from font; false: cancelled, font unchanged.
  std::function<bool(HWND owner, FontSetting& font)> choose_font;
  // Colour dialog starting from color; false: cancelled, color unchanged.
  std::function<bool(HWND owner, Color& color)> choose_color;
  // Text entry with a caption, a prompt and a preset text; nullopt: cancelled.
  std::function<std::optional<std::u16string>(HWND owner, const std::u16string& caption, const std::u16string& prompt,
                                              const std::u16string& preset)>
      input_query;
};

// The real dialogs.
OptionsPickers DefaultOptionsPickers();

// The platform folder picker owned by owner, returning only file-system
// folders. initial (when given) is selected at the start; the status line
// shows the selected folder. with_edit_box adds an edit box and the new
// dialog style. Empty when cancelled.
std::u16string BrowseForFolder(const std::u16string& initial, const std::u16string& title, HWND owner,
                               bool with_edit_box);

// A small dialog asking for one line of text.
std::optional<std::u16string> InputQuery(HWND owner, const std::u16string& caption, const std::u16string& prompt,
                                         const std::u16string& preset);

// The text font between the settings and the platform's font description.
LOGFONTW LogFontFromSetting(const FontSetting& font);
// A colour equal to how old_color is drawn keeps old_color, so that a system
// colour stays one.
FontSetting SettingFromLogFont(const LOGFONTW& lf, COLORREF color, Color old_color);

}  // namespace zk
