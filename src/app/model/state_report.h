// The plain-text report of the viewer's state for support: the program's
// version, the view state, the layout of the main controls and the settings.
#pragma once

#include <cstdint>
#include <string>

#include "app/model/settings.h"
#include "app/model/version_strings.h"
#include "app/model/view_state.h"

namespace zk {

// Position and size of a control inside its parent.
struct ReportBounds {
  int top = 0;
  int left = 0;
  int width = 0;
  int height = 0;
};

// Everything the report prints, read from the window beforehand.
struct StateReportValues {
  VersionStrings program;  // the program file's own version values
  std::u16string WorkFolder;
  int32_t LastReadTime = 0;

  struct {
    int zoom_tag = -1;
    bool visible = false;
    bool center = false;
    bool auto_size = false;
    bool stretch = false;
    ReportBounds bounds;
    std::u16string hint;
    bool has_picture = false;
    bool fills_parent = false;
  } MainImage;

  struct {
    bool visible = false;
    ReportBounds bounds;
  } RichEditURL;

  struct {
    int count = 0;
    int item_index = -1;
    bool visible = false;
  } ArcListBox;

  struct {
    bool visible = false;
    bool auto_scroll = false;
    std::u16string hint;
  } ScrollBox;

  std::u16string SelectedFileName;
  zk::ViewFileType ViewFileType = vfTemp;
  uint64_t EverythingHandle = 0;  // the window handle's value
  std::u16string IniFileName;
  std::u16string ToolbarIniName;
  Settings settings;                   // the flags, EverythingPath, ActiveHotKey
  std::u16string max_read_byte_text;   // MaxReadByte as the locale writes sizes
  std::u16string xdoc2txtPath;
};

// "vfBinary", "vfImage", "vfText", "vfArc" or "vfTemp".
std::u16string ViewFileTypeName(zk::ViewFileType kind);

// The report: 51 lines, each ended by a carriage return alone. Booleans are
// "-1" for true and "0" for false.
std::u16string BuildStateReport(const StateReportValues& v);

}  // namespace zk
