#include "desktop/tray_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace zk {
namespace {

TEST(TrayIconIds, NewIdentifierFollowsTheLastListed) {
  TrayIconIds ids;
  int a, b, c;
  EXPECT_EQ(ids.Next(), 1);
  ids.Add(ids.Next(), &a);
  EXPECT_EQ(ids.Next(), 2);
  ids.Add(ids.Next(), &b);
  // The first goes; the second keeps 2, and a new one takes 3.
  ids.Remove(&a);
  EXPECT_EQ(ids.HolderOf(1), nullptr);
  EXPECT_EQ(ids.HolderOf(2), &b);
  EXPECT_EQ(ids.Next(), 3);
  // A changed identifier stays in its place in the list.
  ids.Add(ids.Next(), &c);
  ids.Replace(&b, 7);
  EXPECT_EQ(ids.HolderOf(7), &b);
  EXPECT_EQ(ids.HolderOf(2), nullptr);
  EXPECT_EQ(ids.Next(), 4);
  ids.Remove(&b);
  ids.Remove(&c);
  EXPECT_TRUE(ids.empty());
  EXPECT_EQ(ids.Next(), 1);
}

TEST(TrayRules, TipIsCutTo127Characters) {
  EXPECT_EQ(TrayTipText(u"Zarvik"), u"Zarvik");
  EXPECT_EQ(TrayTipText(std::u16string(200, u'あ')), std::u16string(127, u'あ'));
  EXPECT_EQ(TrayTipText(std::u16string(127, u'x')).size(), 127u);
  // A pair outside the basic plane across the limit goes whole.
  const std::u16string pair = u"\U0001F600";
  EXPECT_EQ(TrayTipText(std::u16string(126, u'x') + pair), std::u16string(126, u'x'));
  EXPECT_EQ(TrayTipText(std::u16string(125, u'x') + pair + u"y"), std::u16string(125, u'x') + pair);
}

TEST(TrayRules, TimeOutsAreRetriedAfterRandomWaitsUpTo51) {
  std::vector<unsigned> waits;
  unsigned draws = 0;
  auto wait = [&](unsigned ms) { waits.push_back(ms); };
  auto random = [&] { return 2999u + 3000u * draws++; };  // always 2999 after the modulus

  // 50 time-outs, then done: 51 calls, 50 waits, success.
  int calls = 0;
  EXPECT_TRUE(CallTrayRetrying([&] { return ++calls <= 50 ? TrayCall::kTimedOut : TrayCall::kDone; }, wait, random));
  EXPECT_EQ(calls, 51);
  ASSERT_EQ(waits.size(), 50u);
  for (unsigned w : waits) EXPECT_LT(w, 3000u);

  // The 51st time-out gives up, without a wait after it.
  calls = 0;
  waits.clear();
  EXPECT_FALSE(CallTrayRetrying([&] { return ++calls, TrayCall::kTimedOut; }, wait, random));
  EXPECT_EQ(calls, 51);
  EXPECT_EQ(waits.size(), 50u);

  // Any other outcome ends at once.
  calls = 0;
  EXPECT_TRUE(CallTrayRetrying([&] { return ++calls, TrayCall::kDone; }, wait, random));
  EXPECT_EQ(calls, 1);
}

TEST(TrayRules, HotKeyModifiersFromTheShortcutCode) {
  // Ctrl+Alt+V: the key V with Alt and Ctrl.
  HotKeyCode v = HotKeyOf(0x4000 | 0x8000 | 0x56);
  EXPECT_EQ(v.key, 0x56u);
  EXPECT_EQ(v.modifiers, 3u);
  EXPECT_EQ(HotKeyOf(0x2000 | 0x70).modifiers, 4u);  // Shift+F1
  EXPECT_EQ(HotKeyOf(0x2000 | 0x70).key, 0x70u);
  EXPECT_EQ(HotKeyOf(0xE000 | 'Z').modifiers, 7u);
  EXPECT_EQ(HotKeyOf('Q').modifiers, 0u);
}

}  // namespace
}  // namespace zk
