#include "app/model/actions.h"

#include <gtest/gtest.h>

#include "base/paths.h"

namespace zk {
namespace {

// Ctrl+C belongs to both copy commands; the table's order gives it to the first.
TEST(ActionListTest, KeyRunsTheFirstCommandOfTheTableAndOnlyWhenEnabled) {
  ActionList list;
  int copies = 0, image_copies = 0;
  Action& copy = list[CommandId::CopyAction];
  Action& copy_image = list[CommandId::CopyImageAction];
  EXPECT_EQ(copy_image.shortcuts, std::vector<Shortcut>{kCtrl | 'C'});
  copy.on_execute = [&](Action&) { ++copies; };
  copy_image.on_execute = [&](Action&) { ++image_copies; };
  bool enabled = true;
  copy.on_update = [&](Action& a) { a.enabled = enabled; };

  ASSERT_EQ(list.ForShortcut(kCtrl | 'C'), &copy);
  EXPECT_TRUE(list.ForShortcut(kCtrl | 'C')->Execute());
  enabled = false;
  EXPECT_FALSE(list.ForShortcut(kCtrl | 'C')->Execute());  // the update runs first
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(image_copies, 0);
  EXPECT_EQ(list.ForShortcut(kShift | kCtrl | 'C'), nullptr);
  EXPECT_EQ(list.ForShortcut(0), nullptr);
}

TEST(ActionListTest, SecondShortcutAndTextsOfKeys) {
  ActionList list;
  Action& reload = list[CommandId::ReloadAction];
  EXPECT_EQ(list.ForShortcut(kCtrl | 'R'), &reload);
  EXPECT_EQ(ShortcutText(reload.shortcuts[0]), u"F5");
  EXPECT_EQ(ShortcutText(kCtrl | kAlt | 'V'), u"Ctrl+Alt+V");
  EXPECT_EQ(ShortcutText(0x6B), u"Num +");
  EXPECT_EQ(ShortcutText(kCtrl | 0x09), u"Ctrl+Tab");
  EXPECT_EQ(list.Find(u"Missing"), nullptr);
}

// Tags and categories of a sample of rows, and every stored name found again.
TEST(CommandTableTest, TagsCategoriesAndNames) {
  ActionList list;
  struct Row {
    CommandId id;
    int tag;
    std::u16string_view category;
  };
  for (const Row& r : {Row{CommandId::FindEverythingAction, 0, u""}, Row{CommandId::ZoomOutAction, -1, u"HowView"},
                       Row{CommandId::RealSizeAction, 99, u"ImageView"}, Row{CommandId::CtrlEndAction, -999, u"ArcView"},
                       Row{CommandId::WikipediaAction, 1, u"Serch"}, Row{CommandId::CopyListAction, 0, u"ArcView"}}) {
    EXPECT_EQ(list[r.id].tag, r.tag);
    EXPECT_EQ(list[r.id].category, r.category);
  }
  EXPECT_EQ(kCommandCount, 36u);
  for (const CommandInfo& c : CommandTable()) {
    EXPECT_EQ(CommandByName(c.name), c.id);
    EXPECT_EQ(list.Find(c.name), &list[c.id]);
  }
}

}  // namespace
}  // namespace zk
