#include "app/toolbar_layout.h"

#include "base/text.h"

namespace zk {
namespace {

constexpr char16_t kHeading[] = u"[ZarvikToolBar 1]";

struct DesignedButton {
  const char16_t* action;
  int picture;
  bool visible;
};

// Separators are the entries without a command.
constexpr DesignedButton kDesigned[] = {
    {u"FindEverythingAction", 0, true}, {nullptr, -1, true},
    {u"ClearAction", 1, true},          {u"ReloadAction", 2, false},
    {u"BetterViewAction", 12, true},    {u"ZoomUpAction", 6, true},
    {u"ZoomOutAction", 7, true},        {u"ZoomFitAction", 8, true},
    {u"RealSizeAction", 9, true},       {nullptr, -1, true},
    {u"CopyAction", 3, true},           {u"SaveAction", 4, true},
    {nullptr, -1, true},                {u"TopMostAction", 10, true},
    {u"OptionsAction", 5, true},        {nullptr, -1, true},
    {u"RunEverythingAction", 11, true},
};

}  // namespace

ToolbarLayout DesignedToolbarLayout() {
  ToolbarLayout layout;
  for (const DesignedButton& b : kDesigned)
    layout.push_back({b.action ? std::u16string(b.action) : std::u16string(), b.picture, b.visible});
  return layout;
}

int ToolbarPictureOf(std::u16string_view action) {
  for (const DesignedButton& b : kDesigned)
    if (b.action && action == b.action) return b.picture;
  return -1;
}

std::u16string SerializeToolbarLayout(const ToolbarLayout& layout) {
  std::u16string text = kHeading;
  text += u"\r\n";
  for (const ToolbarItem& item : layout) {
    if (item.separator()) text += u"-";
    else text += item.action + u"," + IntToText(item.picture) + (item.visible ? u",1" : u",0");
    text += u"\r\n";
  }
  return text;
}

std::optional<ToolbarLayout> ParseToolbarLayout(std::u16string_view text,
                                                const std::function<bool(std::u16string_view)>& known) {
  ToolbarLayout layout;
  bool heading = false;
  while (!text.empty()) {
    const size_t end = text.find(u'\n');
    std::u16string_view line = Trim(text.substr(0, end));
    text = end == std::u16string_view::npos ? std::u16string_view() : text.substr(end + 1);
    if (line.empty()) continue;
    if (!heading) {
      if (line != kHeading) return std::nullopt;
      heading = true;
      continue;
    }
    if (line == u"-") {
      layout.push_back({});
      continue;
    }
    const size_t a = line.find(u','), b = line.rfind(u',');
    if (a == std::u16string_view::npos || a == b) return std::nullopt;
    const std::u16string_view action = line.substr(0, a);
    const std::optional<int32_t> picture = ParseInt32(line.substr(a + 1, b - a - 1));
    const std::u16string_view visible = line.substr(b + 1);
    if (!known(action) || !picture || *picture < -1 || (visible != u"0" && visible != u"1")) return std::nullopt;
    layout.push_back({std::u16string(action), *picture, visible == u"1"});
  }
  if (!heading) return std::nullopt;
  return layout;
}

}  // namespace zk
