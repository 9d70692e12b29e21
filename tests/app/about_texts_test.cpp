#include "app/model/about_texts.h"

#include <gtest/gtest.h>

#include <map>

namespace zk {
namespace {

TEST(AboutTextsTest, EntriesFollowTheDllOrderThenPluginsAndSkipWhatIsNotFound) {
  std::map<std::u16string, std::u16string> found = {
      {u"ZIP32J.DLL", u"C:\\dll\\ZIP32J.DLL"},
      {u"UNLHA32.DLL", u"C:\\dll\\UNLHA32.DLL"},
      {u"ifjpeg.spi", u"C:\\spi\\ifjpeg.spi"},
  };
  std::map<std::u16string, std::u16string> versions = {{u"C:\\dll\\UNLHA32.DLL", u"2.67"},
                                                       {u"C:\\spi\\ifjpeg.spi", u"UnKnown"}};
  auto locate = [&](const std::u16string& name) {
    auto it = found.find(name);
    return it == found.end() ? std::u16string() : it->second;
  };
  auto version = [&](const std::u16string& path) {
    auto it = versions.find(path);
    return it == versions.end() ? std::u16string() : it->second;
  };
  auto entries = BuildModuleEntries({u"ifpng.spi", u"ifjpeg.spi"}, {u"engine\r  1.0"}, locate, version);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0], u"C:\\dll\\UNLHA32.DLL\r  Version 2.67");
  EXPECT_EQ(entries[1], u"C:\\dll\\ZIP32J.DLL\r");  // no version resource
  EXPECT_EQ(entries[2], u"engine\r  1.0");            // after the DLLs
  EXPECT_EQ(entries[3], u"C:\\spi\\ifjpeg.spi\r  Version UnKnown");
}

TEST(AboutTextsTest, CyclingGoesRoundAndRestartsAtTheFirst) {
  CyclingList list({u"a", u"b", u"c"});
  EXPECT_EQ(list.Restart(), u"a");
  EXPECT_EQ(list.Next(), u"b");
  EXPECT_EQ(list.Next(), u"c");
  EXPECT_EQ(list.Next(), u"a");
  EXPECT_EQ(list.Restart(), u"a");
  CyclingList empty;
  EXPECT_EQ(empty.Restart(), u"");
  EXPECT_EQ(empty.Next(), u"");
  EXPECT_EQ(VersionText(u""), u"");
  EXPECT_EQ(VersionText(u"1.4.1"), u"Version 1.4.1");
}

}  // namespace
}  // namespace zk
