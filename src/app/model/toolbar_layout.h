// Which commands the toolbar carries, in which order, with which picture and
// caption: the designed layout and the text kept in the toolbar layout file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/model/commands.h"

namespace zk {

// The picture of a command outside the designed toolbar.
inline constexpr int kPlainCommandPicture = 13;

struct ToolbarItem {
  std::optional<CommandId> command;  // nothing for a separator
  int picture = -1;                  // index into the toolbar's pictures
  bool visible = true;
  std::u16string caption;  // as the toolbar's menus and its customisation show the item
  bool separator() const { return !command; }
  bool operator==(const ToolbarItem&) const = default;
};

using ToolbarLayout = std::vector<ToolbarItem>;

// The toolbar as designed, left to right.
ToolbarLayout DesignedToolbarLayout();

// A command's toolbar item as the customisation adds it: the designed picture
// and caption, or the plain picture and the command's own caption.
ToolbarItem ToolbarItemOf(CommandId command);

// The commands the customisation offers, grouped by category in the order of
// `kCommandCategories`, each group in table order; `offered` says which may be.
template <class Offered>
std::vector<CommandId> ToolbarPalette(Offered offered) {
  std::vector<CommandId> palette;
  for (std::u16string_view category : kCommandCategories)
    for (const CommandInfo& c : CommandTable())
      if (c.category == category && offered(c.id)) palette.push_back(c.id);
  return palette;
}

// The layout file's text: a heading line, then one line per item ("-" for a
// separator, else "<command>,<picture>,<0|1 visible>,<caption>").
std::u16string SerializeToolbarLayout(const ToolbarLayout& layout);

// Nothing when the text is not a layout this program wrote. An item naming a
// command this program does not know is left out; one without a caption (an
// older file) gets its command's toolbar caption.
std::optional<ToolbarLayout> ParseToolbarLayout(std::u16string_view text);

}  // namespace zk
