// The toolbar's designed layout, the text of its layout file and the
// commands its customisation offers.
#include <gtest/gtest.h>

#include "app/model/toolbar_layout.h"

namespace zk {
namespace {

using enum CommandId;

TEST(ToolbarLayout, DesignedOrderPicturesCaptionsAndTheHiddenReload) {
  const ToolbarLayout layout = DesignedToolbarLayout();
  ASSERT_EQ(layout.size(), 17u);
  EXPECT_EQ(layout[0], (ToolbarItem{FindEverythingAction, 0, true, u"Everything 監視(&E)"}));
  EXPECT_TRUE(layout[1].separator());
  EXPECT_EQ(layout[3], (ToolbarItem{ReloadAction, 2, false, u"制限なしにリロード"}));
  EXPECT_EQ(layout[4], (ToolbarItem{BetterViewAction, 12, true, u"綺麗な縮小は好きですか(&Y)"}));
  EXPECT_EQ(layout[11].caption, u"画像に名前をつけて保存(A)..(&A)");
  EXPECT_EQ(layout[14].caption, u"設定..(&V)");
  EXPECT_EQ(layout[16], (ToolbarItem{RunEverythingAction, 11, true, u"Everything 起動(&H)"}));
  EXPECT_EQ(ToolbarItemOf(OptionsAction), (ToolbarItem{OptionsAction, 5, true, u"設定..(&V)"}));
  EXPECT_EQ(ToolbarItemOf(GoogleAction), (ToolbarItem{GoogleAction, kPlainCommandPicture, true, u"Google で検索"}));
}

TEST(ToolbarLayout, FileTextRoundTripsSkipsStrangersAndRefusesDamage) {
  ToolbarLayout layout = DesignedToolbarLayout();
  std::swap(layout[0], layout[2]);
  layout[5].visible = false;
  layout[6].caption = u"a, b";  // a caption may hold the separator
  layout.push_back(ToolbarItemOf(GoogleAction));
  const std::u16string text = SerializeToolbarLayout(layout);
  EXPECT_TRUE(text.starts_with(u"[ZarvikToolBar 1]\r\nClearAction,1,1,クリア(&Z)\r\n-\r\nFindEverythingAction,0,1,"));
  EXPECT_EQ(ParseToolbarLayout(text), layout);
  EXPECT_EQ(ParseToolbarLayout(u"[ZarvikToolBar 1]\r\n"), ToolbarLayout{});
  // A command of another version is left out; a line without a caption gets the designed one.
  EXPECT_EQ(ParseToolbarLayout(u"[ZarvikToolBar 1]\r\nNoSuchThing,1,1\r\nClearAction,1,0\r\n"),
            (ToolbarLayout{{ClearAction, 1, false, u"クリア(&Z)"}}));

  EXPECT_FALSE(ParseToolbarLayout(u""));
  EXPECT_FALSE(ParseToolbarLayout(u"garbage\r\n-\r\n"));
  EXPECT_FALSE(ParseToolbarLayout(u"[ZarvikToolBar 1]\r\nClearAction,x,1\r\n"));
  EXPECT_FALSE(ParseToolbarLayout(u"[ZarvikToolBar 1]\r\nClearAction,1,2\r\n"));
  EXPECT_FALSE(ParseToolbarLayout(u"[ZarvikToolBar 1]\r\nClearAction\r\n"));
}

TEST(ToolbarLayout, PaletteGroupsTheOfferedCommandsByCategory) {
  const std::vector<CommandId> palette = ToolbarPalette([](CommandId id) {
    return id == FindEverythingAction || id == ClearAction || id == ZoomFitAction || id == ZoomUpAction ||
           id == GoogleAction || id == TestAction || id == MakeCacheAction;
  });
  EXPECT_EQ(palette, (std::vector<CommandId>{ClearAction, ZoomUpAction, ZoomFitAction, MakeCacheAction, TestAction,
                                             GoogleAction, FindEverythingAction}));
}

}  // namespace
}  // namespace zk
