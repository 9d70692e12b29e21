// The toolbar's designed layout and the text of its layout file.
#include <gtest/gtest.h>

#include "app/toolbar_layout.h"

namespace zk {
namespace {

bool Known(std::u16string_view name) { return name.ends_with(u"Action"); }

TEST(ToolbarLayout, DesignedOrderPicturesAndTheHiddenReload) {
  const ToolbarLayout layout = DesignedToolbarLayout();
  ASSERT_EQ(layout.size(), 17u);
  EXPECT_EQ(layout[0], (ToolbarItem{u"FindEverythingAction", 0, true}));
  EXPECT_TRUE(layout[1].separator());
  EXPECT_EQ(layout[3], (ToolbarItem{u"ReloadAction", 2, false}));
  EXPECT_EQ(layout[4], (ToolbarItem{u"BetterViewAction", 12, true}));
  EXPECT_EQ(layout[16], (ToolbarItem{u"RunEverythingAction", 11, true}));
  EXPECT_EQ(ToolbarPictureOf(u"OptionsAction"), 5);
  EXPECT_EQ(ToolbarPictureOf(u"TestAction"), -1);
}

TEST(ToolbarLayout, FileTextRoundTripsAndRefusesStrangers) {
  ToolbarLayout layout = DesignedToolbarLayout();
  std::swap(layout[0], layout[2]);
  layout[5].visible = false;
  const std::u16string text = SerializeToolbarLayout(layout);
  EXPECT_EQ(ParseToolbarLayout(text, Known), layout);
  EXPECT_EQ(ParseToolbarLayout(u"[ZarvikToolBar 1]\r\n", Known), ToolbarLayout{});

  EXPECT_FALSE(ParseToolbarLayout(u"", Known));
  EXPECT_FALSE(ParseToolbarLayout(u"garbage\r\n-\r\n", Known));
  EXPECT_FALSE(ParseToolbarLayout(u"[ZarvikToolBar 1]\r\nNoSuchThing,1,1\r\n", Known));
  EXPECT_FALSE(ParseToolbarLayout(u"[ZarvikToolBar 1]\r\nClearAction,x,1\r\n", Known));
  EXPECT_FALSE(ParseToolbarLayout(u"[ZarvikToolBar 1]\r\nClearAction,1,2\r\n", Known));
  EXPECT_FALSE(ParseToolbarLayout(u"[ZarvikToolBar 1]\r\nClearAction\r\n", Known));
}

}  // namespace
}  // namespace zk
