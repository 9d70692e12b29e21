#include "base/command_line.h"

#include <gtest/gtest.h>

#include <set>

namespace zk {
namespace {

using Params = std::vector<std::u16string>;
using Notices = std::vector<CommandLineNotice>;

// Folders that exist for the test, and the folders asked about.
struct Folders {
  std::set<std::u16string> existing;
  std::vector<std::u16string> asked;
  CommandLine Parse(const Params& params) {
    return ParseCommandLine(params, [this](const std::u16string& f) {
      asked.push_back(f);
      return existing.count(f) > 0;
    });
  }
};

TEST(CommandLineTest, NoParametersChangeNothing) {
  Folders folders;
  CommandLine cl = folders.Parse({});
  EXPECT_EQ(cl.settings_folder, u"");
  EXPECT_FALSE(cl.run_everything_at_start);
  EXPECT_TRUE(cl.notices.empty());
}

TEST(CommandLineTest, EverythingSwitchTakesAnyCaseAndAnyTail) {
  Folders folders;
  EXPECT_TRUE(folders.Parse({u"-E"}).run_everything_at_start);
  EXPECT_TRUE(folders.Parse({u"/everything please"}).run_everything_at_start);
  EXPECT_FALSE(folders.Parse({u"e"}).run_everything_at_start);
  EXPECT_FALSE(folders.Parse({u"--e"}).run_everything_at_start);
  EXPECT_FALSE(folders.Parse({u"-"}).run_everything_at_start);
}

TEST(CommandLineTest, HelpIsNotedAndTheOtherSwitchesStillApply) {
  Folders folders;
  folders.existing = {u"C:\\conf"};
  CommandLine cl = folders.Parse({u"-?", u"/iC:\\conf", u"/?", u"-e"});
  EXPECT_EQ(cl.notices, (Notices{CommandLineNotice::kHelp, CommandLineNotice::kHelp}));
  EXPECT_EQ(cl.settings_folder, u"C:\\conf");
  EXPECT_TRUE(cl.run_everything_at_start);
  EXPECT_TRUE(folders.Parse({u"-?x"}).notices.empty());  // the whole parameter must match
}

TEST(CommandLineTest, SettingsFolderMustExistAndTheLastValidOneWins) {
  Folders folders;
  folders.existing = {u"C:\\one", u"D:\\two"};
  CommandLine cl = folders.Parse({u"-iC:\\one", u"-IC:\\missing", u"/ID:\\two", u"/iX:\\gone"});
  EXPECT_EQ(cl.settings_folder, u"D:\\two");
  EXPECT_EQ(cl.notices, (Notices{CommandLineNotice::kMissingFolder, CommandLineNotice::kMissingFolder}));
  EXPECT_EQ(folders.asked, (Params{u"C:\\one", u"C:\\missing", u"D:\\two", u"X:\\gone"}));

  Folders none;
  CommandLine missing = none.Parse({u"-iC:\\missing"});
  EXPECT_EQ(missing.settings_folder, u"");
  EXPECT_EQ(missing.notices, Notices{CommandLineNotice::kMissingFolder});
  // "-i" alone names no folder and is not a switch at all.
  EXPECT_TRUE(none.Parse({u"-i"}).notices.empty());
}

TEST(CommandLineTest, SettingsFolderIsCutAfter256Characters) {
  Folders folders;
  const std::u16string longest(256, u'a');
  folders.existing = {longest};
  EXPECT_EQ(folders.Parse({u"-i" + longest + u"bcd"}).settings_folder, longest);
}

TEST(CommandLineTest, SettingsFilesAreNamedAfterTheProgram) {
  EXPECT_EQ(IniFileNameFor(u"C:\\Apps\\zarvik.exe", u""), u"C:\\Apps\\zarvik.ini");
  EXPECT_EQ(IniFileNameFor(u"C:\\Apps\\zarvik.exe", u"D:\\conf"), u"D:\\conf\\zarvik.ini");
  EXPECT_EQ(IniFileNameFor(u"C:\\Apps\\zarvik.exe", u"D:\\conf\\"), u"D:\\conf\\zarvik.ini");
  EXPECT_EQ(IniFileNameFor(u"C:\\my.apps\\zarvik", u""), u"C:\\my.apps\\zarvik.ini");
  EXPECT_EQ(ToolbarIniNameFor(u"D:\\conf\\zarvik.ini"), u"D:\\conf\\zarvik.ToolBarDat");
}

}  // namespace
}  // namespace zk
