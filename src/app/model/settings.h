// Every user setting of the viewer and its place in the settings file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/colors.h"
#include "base/ini_file.h"

namespace zk {

// Font style bits as stored under "Font"/"Style".
enum FontStyleBits : uint8_t { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeOut = 8 };

// The text font. Its defaults are those of the settings table.
struct FontSetting {
  int32_t height{};  // pixels; negative = character height
  std::u16string name;
  Color color{};
  uint8_t style{};   // FontStyleBits
  int32_t pitch{};   // 0 default, 1 variable, 2 fixed

  // Point size at the given resolution, and the height that a size gives
  // (rounded as the platform's MulDiv does).
  int32_t Size(int pixels_per_inch = 96) const;
  void SetSize(int32_t points, int pixels_per_inch = 96);
};

// The default binary-extension list.
extern const char16_t kDefaultIsBinary[];

// Each member's key in the settings file and its default are given once, in
// the settings table (settings.cpp); the members are in the order of the file.
struct Settings {
  // "Window"
  bool wsMaximized{};
  int32_t Top{};
  int32_t Left{};
  int32_t Width{};   // the window fills in its designed size before reading
  int32_t Height{};
  // "Programs"
  bool OutWClick{};
  std::u16string OutTextEditor;
  std::u16string OutGEditor;
  std::u16string OutTextDir;
  std::u16string OutGDir;
  // "Window"
  bool TopMost{};
  bool NotUsedInTray{};
  bool HideToolBar{};
  uint16_t ActiveHotKey{};  // virtual key | 0x2000 Shift | 0x4000 Ctrl | 0x8000 Alt
  // "Programs"
  std::u16string EverythingPath;
  // "View"
  std::vector<std::u16string> IsBinary;
  bool ArcView{};
  bool LinkView{};
  bool Better{};
  bool ShowID3Tag{};
  bool ImageCenter{};
  Color BackgroundColor{};
  bool ClearNoEverything{};
  int64_t MaxReadByte{};  // 0 = no limit
  bool ArkWrap{};
  // "Text"
  bool UsePreThread{};
  // "Jpg"
  int32_t CompressionQuality{};
  bool Progressive{};
  // "Font"
  FontSetting Font;
  // "View"
  std::u16string CacheFolder;
  // "Archive": archives no archiver DLL serves are read by the built-in engine
  bool ArchiveBuiltIn{};

  Settings();  // every default of the table
};

// Reads every key; a key that is missing or does not parse keeps the value the
// settings already hold, so the caller passes in the defaults.
// pixels_per_inch converts the stored font size to a height.
void ReadSettings(const IniFile& ini, Settings& s, int pixels_per_inch = 96);
// Writes every key in the order of the settings table into the file's current
// contents (other keys stay where they are).
void WriteSettings(const Settings& s, IniFile& ini, int pixels_per_inch = 96);

// A window position far off the desktop is pulled back to 0 on that axis.
void PullBackIntoDesktop(Settings& s, int desktop_width, int desktop_height);

enum class StartWindowState { kNormal, kMinimized, kMaximized };
// The state a window starts in, from the stored flag and the start-up show command.
StartWindowState StartStateFor(bool ws_maximized, int show_command);

}  // namespace zk
