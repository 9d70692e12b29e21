#include "app/model/existence_cache.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

// Each step asks at a time for a selection, perhaps after a Forget; `looks`:
// whether the file system is asked then.
TEST(ExistenceCache, AsksOnlyForNewPathsForgottenOrSecondOldFacts) {
  const struct {
    uint32_t now;
    const char16_t* selection;
    bool forget, looks;
  } kSteps[] = {{100, u"a", false, true},  {1099, u"a", false, false}, {1100, u"a", false, true},
                {1200, u"b", false, true}, {1300, u"b", true, true},   {1350, u"b", false, false},
                {0xFFFFFF00u, u"b", false, true}, {0x10, u"b", false, false}};  // across the counter's wrap
  ExistenceCache cache;
  int looks = 0;
  for (const auto& step : kSteps) {
    if (step.forget) cache.Forget();
    const int before = looks;
    const bool exists = cache.Get({step.selection, u"", u"", u""}, step.now, [&](const ExistenceKey& key) {
      ++looks;
      return ExistenceFacts{.selection = key.selection == u"b"};
    }).selection;
    EXPECT_EQ(looks != before, step.looks) << step.now;
    EXPECT_EQ(exists, std::u16string(step.selection) == u"b") << step.now;
  }
}

}  // namespace
}  // namespace zk
