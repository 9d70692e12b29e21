#include "watcher/watch_rules.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(WatchRules, CaptionMustNameTheSearchWindowInAnyCase) {
  EXPECT_TRUE(IsSearchWindowCaption(u"Everything"));
  EXPECT_TRUE(IsSearchWindowCaption(u"foo.txt - EVERYTHING"));
  EXPECT_TRUE(IsSearchWindowCaption(u"検索 - eVeRyThInG 1.4"));
  EXPECT_FALSE(IsSearchWindowCaption(u""));
  EXPECT_FALSE(IsSearchWindowCaption(u"Search"));
  EXPECT_FALSE(IsSearchWindowCaption(u"Everythin"));
  EXPECT_FALSE(IsSearchWindowCaption(u"Every thing"));
  // Full-width letters are other letters, not another case of these.
  EXPECT_FALSE(IsSearchWindowCaption(u"ＥＶＥＲＹＴＨＩＮＧ"));
}

TEST(WatchRules, OnlyATextWithABackslashIsANewSelection) {
  EXPECT_EQ(ClassifySelection(u"C:\\a\\b.txt", u"C:\\a\\b.txt"), SelectionChange::kSame);
  EXPECT_EQ(ClassifySelection(u"C:\\a\\c.txt", u"C:\\a\\b.txt"), SelectionChange::kNew);
  // Paths differing in case only are different selections.
  EXPECT_EQ(ClassifySelection(u"C:\\A\\B.TXT", u"C:\\a\\b.txt"), SelectionChange::kNew);
  EXPECT_EQ(ClassifySelection(u"123 オブジェクト", u"C:\\a\\b.txt"), SelectionChange::kNoPath);
  EXPECT_EQ(ClassifySelection(u"", u"C:\\a\\b.txt"), SelectionChange::kNoPath);
  // Nothing read and nothing shown yet: nothing to do.
  EXPECT_EQ(ClassifySelection(u"", u""), SelectionChange::kSame);
  EXPECT_EQ(ClassifySelection(u"\\\\server\\share", u""), SelectionChange::kNew);
}

TEST(WatchRules, DirectionCodesChooseTheirKeys) {
  EXPECT_EQ(StepKeyFor(0), 0x23);    // End
  EXPECT_EQ(StepKeyFor(1), 0x28);    // Down
  EXPECT_EQ(StepKeyFor(999), 0x24);  // Home
  EXPECT_EQ(StepKeyFor(-1), 0x26);   // Up
  // Only 0, 1 and 999 have their own keys.
  EXPECT_EQ(StepKeyFor(-999), 0x26);
  EXPECT_EQ(StepKeyFor(2), 0x26);
}

TEST(WatchRules, HintsJoinCaptionAndStateWithACarriageReturn) {
  EXPECT_EQ(WatcherHint(u"Everything 監視", WatcherState::kOff), u"Everything 監視\rCheck Everything");
  EXPECT_EQ(WatcherHint(u"Everything 監視", WatcherState::kAbsent), u"Everything 監視\rEverything Not found");
  EXPECT_EQ(WatcherHint(u"Everything 監視", WatcherState::kFollowing), u"Everything 監視\rEverything is Alive");
}

TEST(WatchRules, ExchangeHoldsTheWholeTextWithSlackInWholePages) {
  for (size_t length : {0u, 1u, 499u, 500u, 1000u, 2047u, 2048u, 65535u}) {
    const size_t bytes = ExchangeBytesFor(length);
    EXPECT_EQ(bytes % 4096, 0u) << length;
    EXPECT_GE(bytes, (length + 1) * 2 + 512) << length;
    EXPECT_GE(bytes, 1000u) << length;
  }
  EXPECT_EQ(ExchangeBytesFor(0), 4096u);
  EXPECT_EQ(ExchangeBytesFor(1000), 4096u);
  EXPECT_EQ(ExchangeBytesFor(2047), 8192u);
}

TEST(WatchRules, MissingStatusBarNoticeShowsOncePerSpell) {
  OnceWhileLasting notice;
  EXPECT_FALSE(notice.Due(false));
  EXPECT_TRUE(notice.Due(true));
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(notice.Due(true));
  EXPECT_FALSE(notice.Due(false));
  EXPECT_TRUE(notice.Due(true));  // a new spell
}

}  // namespace
}  // namespace zk
