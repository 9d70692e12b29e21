#include "app/existence_cache.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

// Each step asks for the facts at a time with a selection, perhaps after a
// Forget; `looks` is whether the file system is asked then.
TEST(ExistenceCache, AsksTheFileSystemOnlyForNewPathsForgottenOrSecondOldFacts) {
  const struct {
    uint32_t now;
    const char16_t* selection;
    bool forget;
    bool looks;
  } kSteps[] = {
      {100, u"a", false, true},          // first time
      {150, u"a", false, false},         // idle passes in between
      {1099, u"a", false, false},
      {1100, u"a", false, true},         // a second old
      {1200, u"b", false, true},         // a new selection
      {1300, u"b", true, true},          // a cache picture made or deleted
      {1350, u"b", false, false},
      {0xFFFFFF00u, u"b", false, true},  // long idle
      {0x00000010u, u"b", false, false}, // across the counter's wrap: 272 ms
  };
  ExistenceCache cache;
  int looks = 0;
  for (const auto& step : kSteps) {
    if (step.forget) cache.Forget();
    const int before = looks;
    const ExistenceFacts& facts = cache.Get({step.selection, u"", u"", u""}, step.now, [&](const ExistenceKey& key) {
      ++looks;
      ExistenceFacts f;
      f.selection = key.selection == u"b";
      return f;
    });
    EXPECT_EQ(looks != before, step.looks) << step.now;
    EXPECT_EQ(facts.selection, std::u16string(step.selection) == u"b") << step.now;
  }
}

}  // namespace
}  // namespace zk
