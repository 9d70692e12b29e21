#include "app/model/toolbar_layout.h"

#include "base/text.h"

namespace zk {
namespace {

constexpr char16_t kHeading[] = u"[ZarvikToolBar 1]";

struct DesignedButton {
  std::optional<CommandId> command;
  int picture;
  bool visible;
  std::u16string_view caption;
};

using enum CommandId;
constexpr DesignedButton kSeparator{std::nullopt, -1, true, u"-"};
constexpr DesignedButton kDesigned[] = {
    {FindEverythingAction, 0, true, u"Everything 監視(&E)"},
    kSeparator,
    {ClearAction, 1, true, u"クリア(&Z)"},
    {ReloadAction, 2, false, u"制限なしにリロード"},
    {BetterViewAction, 12, true, u"綺麗な縮小は好きですか(&Y)"},
    {ZoomUpAction, 6, true, u"大(&U)"},
    {ZoomOutAction, 7, true, u"小(&T)"},
    {ZoomFitAction, 8, true, u"収まる大きさ(&W)"},
    {RealSizeAction, 9, true, u"実際の大きさ(&R)"},
    kSeparator,
    {CopyAction, 3, true, u"コピー(&X)"},
    {SaveAction, 4, true, u"画像に名前をつけて保存(A)..(&A)"},
    kSeparator,
    {TopMostAction, 10, true, u"常に手前に表示(&S)"},
    {OptionsAction, 5, true, u"設定..(&V)"},
    kSeparator,
    {RunEverythingAction, 11, true, u"Everything 起動(&H)"},
};

ToolbarItem ItemOf(const DesignedButton& b) {
  return {b.command, b.picture, b.visible, b.command ? std::u16string(b.caption) : std::u16string()};
}

}  // namespace

ToolbarLayout DesignedToolbarLayout() {
  ToolbarLayout layout;
  for (const DesignedButton& b : kDesigned) layout.push_back(ItemOf(b));
  return layout;
}

ToolbarItem ToolbarItemOf(CommandId command) {
  for (const DesignedButton& b : kDesigned)
    if (b.command == command) return {command, b.picture, true, std::u16string(b.caption)};
  return {command, kPlainCommandPicture, true, std::u16string(InfoOf(command).caption)};
}

std::u16string SerializeToolbarLayout(const ToolbarLayout& layout) {
  std::u16string text = kHeading;
  text += u"\r\n";
  for (const ToolbarItem& item : layout) {
    if (item.separator()) {
      text += u"-";
    } else {
      text += std::u16string(InfoOf(*item.command).name) + u"," + IntToText(item.picture) +
              (item.visible ? u",1," : u",0,") + item.caption;
    }
    text += u"\r\n";
  }
  return text;
}

std::optional<ToolbarLayout> ParseToolbarLayout(std::u16string_view text) {
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
    // name,picture,visible[,caption]: the caption is last, so it may hold commas.
    const size_t a = line.find(u',');
    const size_t b = a == std::u16string_view::npos ? a : line.find(u',', a + 1);
    if (b == std::u16string_view::npos) return std::nullopt;
    const size_t c = line.find(u',', b + 1);
    const std::u16string_view name = line.substr(0, a);
    const std::optional<int32_t> picture = ParseInt32(line.substr(a + 1, b - a - 1));
    const std::u16string_view visible = line.substr(b + 1, c == std::u16string_view::npos ? c : c - b - 1);
    if (!picture || *picture < -1 || (visible != u"0" && visible != u"1")) return std::nullopt;
    const std::optional<CommandId> command = CommandByName(name);
    if (!command) continue;  // a command of another version of the program
    ToolbarItem item = ToolbarItemOf(*command);
    item.picture = *picture;
    item.visible = visible == u"1";
    if (c != std::u16string_view::npos) item.caption = line.substr(c + 1);
    layout.push_back(std::move(item));
  }
  if (!heading) return std::nullopt;
  return layout;
}

}  // namespace zk
