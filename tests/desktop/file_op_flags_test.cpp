#include "desktop/file_op_flags.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

using namespace std::string_literals;

TEST(FileOpFlags, EachFlagGivesItsShellValue) {
  const std::pair<TFileOpFlag, uint16_t> expected[] = {
      {fofMultiDestFiles, 0x1},  {fofConfirmMouse, 0x2},     {fofSilent, 0x4},
      {fofRenameOnCollision, 0x8}, {fofNoConfirmation, 0x10}, {fofWantMappingHandle, 0},
      {fofAllowUndo, 0x40},      {fofFilesOnly, 0x80},       {fofSimpleProgress, 0x100},
      {fofNoConfirmMkdir, 0x200}, {fofNoErrorUI, 0x400},
  };
  for (auto [flag, value] : expected) EXPECT_EQ(ShellFileOpFlags({flag}), value) << int(flag);
}

TEST(FileOpFlags, StoredAsOneBitPerValue) {
  EXPECT_EQ(TFileOpFlags({fofMultiDestFiles}).Bits(), 0x001);
  EXPECT_EQ(TFileOpFlags({fofWantMappingHandle}).Bits(), 0x020);
  EXPECT_EQ(TFileOpFlags({fofNoErrorUI}).Bits(), 0x400);
  EXPECT_EQ(kDefaultFileOpOptions.Bits(), (1u << fofAllowUndo) | (1u << fofFilesOnly));
  EXPECT_EQ(ShellFileOpFlags(kDefaultFileOpOptions), 0xC0);
  EXPECT_EQ(ShellFileOpFlags(TFileOpFlags::FromBits(0xFFFF)), 0x7DF);  // all but the mapping request

  TFileOpFlags s = kDefaultFileOpOptions;
  s.Exclude(fofAllowUndo);
  s.Include(fofSilent);
  EXPECT_TRUE(s.Contains(fofSilent));
  EXPECT_TRUE(s.Contains(fofFilesOnly));
  EXPECT_FALSE(s.Contains(fofAllowUndo));
  EXPECT_EQ(s, TFileOpFlags({fofSilent, fofFilesOnly}));
}

TEST(ShellFileList, EachNameEndsWithNulAndTheListWithAnother) {
  EXPECT_EQ(BuildShellFileList({u"C:\\a.txt", u"C:\\b\\*.*"}), u"C:\\a.txt\0C:\\b\\*.*\0\0"s);
  EXPECT_EQ(BuildShellFileList({u"x"}), u"x\0\0"s);
  EXPECT_EQ(BuildShellFileList({}), u"\0"s);
}

TEST(ShellFileList, NamesCannotEndOrSplitTheListEarly) {
  // An empty name would end the list before the names after it.
  EXPECT_EQ(BuildShellFileList({u"a", u"", u"b"}), u"a\0b\0\0"s);
  EXPECT_EQ(BuildShellFileList({u"", u""}), u"\0"s);
  // A NUL inside a name would turn its tail into a name of its own.
  EXPECT_EQ(BuildShellFileList({u"C:\\w\0C:\\Windows"s}), u"C:\\w\0\0"s);
}

TEST(ShellFileList, SplitReadsUpToTheFirstEmptyName) {
  EXPECT_EQ(SplitShellFileList(BuildShellFileList({u"a", u"bc"})), (std::vector<std::u16string>{u"a", u"bc"}));
  EXPECT_EQ(SplitShellFileList(u"a\0\0b\0\0"s), std::vector<std::u16string>{u"a"});
  EXPECT_EQ(SplitShellFileList(u"unterminated"), std::vector<std::u16string>{u"unterminated"});
  EXPECT_TRUE(SplitShellFileList(u"\0\0"s).empty());
  EXPECT_TRUE(SplitShellFileList(u"").empty());
}

TEST(FolderContentsPattern, AddsOneDelimiterAndTheWildcard) {
  EXPECT_EQ(FolderContentsPattern(u"C:\\Temp\\zk1.tmp"), u"C:\\Temp\\zk1.tmp\\*.*");
  EXPECT_EQ(FolderContentsPattern(u"C:\\Temp\\zk1.tmp\\"), u"C:\\Temp\\zk1.tmp\\*.*");
  // Never the bare wildcard, which would name the current folder's contents.
  EXPECT_EQ(FolderContentsPattern(u""), u"");
}

}  // namespace
}  // namespace zk
