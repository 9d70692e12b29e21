// The option set: defaults, the unset marker, Reset and Assign.
#include <gtest/gtest.h>

#include "archive/archiver_options.h"

namespace zk {
namespace {

TEST(ArchiverOptions, StartUnsetWithTheDocumentedDefaults) {
  TArchiverOptions o;
  EXPECT_EQ(OptionFields().size(), 73u);  // with the seven named properties, 80
  for (const OptionField& f : OptionFields()) {
    if (f.kind == OptionKind::kNumber) {
      EXPECT_EQ(o.*f.number, -1) << f.name;
    } else if (f.kind == OptionKind::kText) {
      EXPECT_TRUE(IsUnset(o.*f.text)) << f.name;
    }
  }
  EXPECT_TRUE(o.jx.empty());
  EXPECT_EQ(o.PackFilter, pfComponent);
  EXPECT_EQ(o.ResFileUsage, ResFileUse(ruOnPack) | ResFileUse(ruOnUnpack) | ResFileUse(ruOnRemoveItem));
  EXPECT_TRUE(o.IncludeExtraStreams);
  EXPECT_EQ(o.StreamSeparator, ";#");
  EXPECT_TRUE(o.UserOptions.empty() && o.UserFileList.empty() && o.ResFileName.empty());
}

TEST(ArchiverOptions, UnsetIsNotTheEmptyText) {
  EXPECT_EQ(kUnsetOption.size(), 1u);
  EXPECT_FALSE(IsUnset(""));
  EXPECT_FALSE(IsUnset(std::string("\0\0", 2)));
  EXPECT_TRUE(IsUnset(std::string(1, '\0')));
}

TEST(ArchiverOptions, ResetKeepsTheStreamSettingsAndAssignCopiesAll) {
  TArchiverOptions o;
  o.x = 0;
  o.gyx = 5;
  o.w = "";
  o.gyw = "k";
  o.jx = {"*.txt"};
  o.UserOptions = "-gm";
  o.PackFilter = pfArchiver;
  o.ResFileName = u"r.txt";
  o.ResFileUsage = 0;
  o.IncludeExtraStreams = false;
  o.StreamSeparator = ":";

  TArchiverOptions copy;
  copy.Assign(o);
  EXPECT_EQ(copy.x, 0);
  EXPECT_EQ(copy.gyx, 5);
  EXPECT_EQ(copy.w, "");
  EXPECT_EQ(copy.gyw, "k");
  EXPECT_EQ(copy.jx, std::vector<std::string>{"*.txt"});
  EXPECT_EQ(copy.UserOptions, "-gm");
  EXPECT_EQ(copy.PackFilter, pfArchiver);
  EXPECT_EQ(copy.ResFileName, u"r.txt");
  EXPECT_EQ(copy.ResFileUsage, 0);
  EXPECT_FALSE(copy.IncludeExtraStreams);
  EXPECT_EQ(copy.StreamSeparator, ":");

  o.Reset();
  EXPECT_EQ(o.x, -1);
  EXPECT_EQ(o.gyx, -1);
  EXPECT_TRUE(IsUnset(o.w));
  EXPECT_TRUE(IsUnset(o.gyw));
  EXPECT_TRUE(o.jx.empty());
  EXPECT_TRUE(o.UserOptions.empty());
  EXPECT_EQ(o.PackFilter, pfComponent);
  EXPECT_TRUE(o.ResFileName.empty());
  EXPECT_TRUE(Holds(o.ResFileUsage, ruOnUnpack));
  EXPECT_FALSE(Holds(o.ResFileUsage, ruOnUpdate));
  EXPECT_FALSE(o.IncludeExtraStreams);
  EXPECT_EQ(o.StreamSeparator, ":");
}

}  // namespace
}  // namespace zk
