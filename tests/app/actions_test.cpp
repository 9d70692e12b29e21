#include "app/actions.h"

#include <gtest/gtest.h>

#include "base/paths.h"

namespace zk {
namespace {

TEST(ActionListTest, KeyRunsTheFirstCommandOfTheTableAndOnlyWhenEnabled) {
  ActionList list;
  int copies = 0, image_copies = 0;
  Action& copy = list.Add(u"CopyAction", u"コピー", {}, {kCtrl | 'C'});
  Action& copy_image = list.Add(u"CopyImageAction", u"画像", {}, {kCtrl | 'C'});
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
  Action& reload = list.Add(u"ReloadAction", u"制限なしにリロード", {}, {0x74, kCtrl | 'R'});
  EXPECT_EQ(list.ForShortcut(kCtrl | 'R'), &reload);
  EXPECT_EQ(ShortcutText(reload.shortcuts[0]), u"F5");
  EXPECT_EQ(ShortcutText(kCtrl | kAlt | 'V'), u"Ctrl+Alt+V");
  EXPECT_EQ(ShortcutText(0x6B), u"Num +");
  EXPECT_EQ(ShortcutText(kCtrl | 0x09), u"Ctrl+Tab");
  EXPECT_THROW(list[u"Missing"], std::out_of_range);
}

TEST(QuotePathTest, QuotesOnceAndClosesWhatIsOpen) {
  EXPECT_EQ(QuotePath(u""), u"\"\"");
  EXPECT_EQ(QuotePath(u"C:\\a b.doc"), u"\"C:\\a b.doc\"");
  EXPECT_EQ(QuotePath(u"\"C:\\a b.doc\""), u"\"C:\\a b.doc\"");
  EXPECT_EQ(QuotePath(u"\"C:\\a"), u"\"C:\\a\"");
  EXPECT_EQ(QuotePath(u"\""), u"\"\"");
}

}  // namespace
}  // namespace zk
