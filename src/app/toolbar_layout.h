// Which commands the toolbar carries, in which order and with which picture:
// the designed layout and the text kept in the toolbar layout file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

struct ToolbarItem {
  std::u16string action;   // empty for a separator
  int picture = -1;        // index into the toolbar's pictures
  bool visible = true;
  bool separator() const { return action.empty(); }
  bool operator==(const ToolbarItem&) const = default;
};

using ToolbarLayout = std::vector<ToolbarItem>;

// The toolbar as designed, left to right.
ToolbarLayout DesignedToolbarLayout();

// The picture a command shows on the toolbar, or -1 when it has none.
int ToolbarPictureOf(std::u16string_view action);

// The layout file's text: a heading line, then one line per item
// ("-" for a separator, else "<action>,<picture>,<0|1 visible>").
std::u16string SerializeToolbarLayout(const ToolbarLayout& layout);

// Nothing when the text is not a layout this program wrote or names a command
// `known` does not know.
std::optional<ToolbarLayout> ParseToolbarLayout(std::u16string_view text,
                                                const std::function<bool(std::u16string_view)>& known);

}  // namespace zk
