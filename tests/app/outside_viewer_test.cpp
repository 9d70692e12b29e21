#include "app/model/outside_viewer.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/model/link_target.h"
#include "app/latin1_codec.h"
#include "base/text.h"

namespace zk {
namespace {

// Folders that exist and shortcuts with their targets; a path that is no
// known shortcut resolves to itself, as an unreadable shortcut does.
class FakeHost : public OutViewHost {
 public:
  std::set<std::u16string> folders;
  std::map<std::u16string, std::u16string> shortcuts;
  int resolved = 0;

  bool FolderExists(const std::u16string& path) override { return folders.count(path) > 0; }
  std::u16string ResolveShortcut(const std::u16string& path) override {
    ++resolved;
    auto it = shortcuts.find(path);
    return it == shortcuts.end() ? path : it->second;
  }
};

class OutViewTest : public ::testing::Test {
 protected:
  OutViewInput Input(OutViewSource source, ViewFileType view) {
    OutViewInput in;
    in.source = source;
    in.view = view;
    in.text_program = u"C:\\Tools\\edit.exe";
    in.picture_program = u"C:\\Paint\\paint.exe -n";
    in.selected = u"D:\\data\\a b.txt";
    return in;
  }
  FakeHost host;
};

TEST_F(OutViewTest, EachControlHasItsOwnProgramAndThePictureOneOnlyForPictures) {
  host.folders = {u"C:\\Tools\\", u"C:\\Paint\\"};
  auto text = PlanOutView(Input(OutViewSource::kTextControl, vfText), host);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->command_line, u"C:\\Tools\\edit.exe \"D:\\data\\a b.txt\"");
  EXPECT_EQ(text->folder, u"C:\\Tools\\");

  // The text control takes the text program whatever the view kind says.
  auto text_over_picture = PlanOutView(Input(OutViewSource::kTextControl, vfImage), host);
  ASSERT_TRUE(text_over_picture);
  EXPECT_EQ(text_over_picture->program, u"C:\\Tools\\edit.exe");

  auto picture = PlanOutView(Input(OutViewSource::kPictureControl, vfImage), host);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->command_line, u"C:\\Paint\\paint.exe -n \"D:\\data\\a b.txt\"");
  EXPECT_EQ(picture->folder, u"C:\\Paint\\");

  for (ViewFileType v : {vfBinary, vfText, vfArc, vfTemp})
    EXPECT_FALSE(PlanOutView(Input(OutViewSource::kPictureControl, v), host)) << int(v);

  OutViewInput no_program = Input(OutViewSource::kTextControl, vfText);
  no_program.text_program.clear();
  EXPECT_FALSE(PlanOutView(no_program, host));
}

TEST_F(OutViewTest, FolderComesFromTheSettingTheProgramOrTheFile) {
  OutViewInput in = Input(OutViewSource::kTextControl, vfText);
  in.text_folder = u"E:\\work";
  EXPECT_EQ(PlanOutView(in, host)->folder, u"E:\\work");  // taken as set

  // A bare program name and no folder: the shown file's folder.
  in.text_folder.clear();
  in.text_program = u"notepad.exe";
  EXPECT_EQ(PlanOutView(in, host)->folder, u"D:\\data\\");
  EXPECT_EQ(PlanOutView(in, host)->command_line, u"notepad.exe \"D:\\data\\a b.txt\"");
}

TEST(ProgramFolderTest, LongestExistingFolderEndingAtADelimiter) {
  FakeHost host;
  host.folders = {u"C:\\Program Files\\", u"C:\\", u"C:\\Program Files\\Vi", u"\\"};
  // "C:\Program Files\Vi" is a folder too, but only a whole component counts.
  EXPECT_EQ(ProgramFolder(u"C:\\Program Files\\Viewer.exe", host), u"C:\\Program Files\\");
  EXPECT_EQ(ProgramFolder(u"\"C:\\Program Files\\Viewer.exe\" /x", host), u"C:\\Program Files\\");
  EXPECT_EQ(ProgramFolder(u"C:\\Gone\\Sub\\v.exe", host), u"C:\\");
  EXPECT_EQ(ProgramFolder(u"viewer.exe", host), u"");
  EXPECT_EQ(ProgramFolder(u"\\\\server\\gone\\v.exe", host), u"");
  EXPECT_EQ(ProgramFolder(u"", host), u"");
}

TEST_F(OutViewTest, MemberOnViewIsOpenedFromTheWorkFolder) {
  OutViewInput in = Input(OutViewSource::kPictureControl, vfImage);
  in.selected = u"D:\\data\\pics.zip";
  in.member = u"C:\\Temp\\zk1.tmp\\dir\\p.png";
  auto plan = PlanOutView(in, host);
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->file, in.member);
  EXPECT_EQ(plan->folder, u"C:\\Temp\\zk1.tmp\\dir\\");  // C:\Paint\ does not exist here
}

TEST_F(OutViewTest, ShortcutsAreFollowedToTheFileAtTheEnd) {
  OutViewInput in = Input(OutViewSource::kTextControl, vfText);
  host.shortcuts[u"D:\\a.LNK"] = u"D:\\b.lnk";
  host.shortcuts[u"D:\\b.lnk"] = u"E:\\real.txt";
  in.selected = u"D:\\a.LNK";
  auto plan = PlanOutView(in, host);
  ASSERT_TRUE(plan);
  EXPECT_FALSE(plan->missing_target);
  EXPECT_EQ(plan->file, u"E:\\real.txt");
  EXPECT_EQ(plan->command_line, u"C:\\Tools\\edit.exe \"E:\\real.txt\"");

  // Other extensions are opened as they are, never resolved.
  host.resolved = 0;
  in.selected = u"D:\\a.lnk.txt";
  EXPECT_EQ(PlanOutView(in, host)->file, u"D:\\a.lnk.txt");
  EXPECT_EQ(host.resolved, 0);
}

TEST_F(OutViewTest, BrokenLoopingAndUnreadableShortcuts) {
  OutViewInput in = Input(OutViewSource::kTextControl, vfText);

  host.shortcuts[u"D:\\dead.lnk"] = u"";  // target missing or a folder
  in.selected = u"D:\\dead.lnk";
  EXPECT_TRUE(PlanOutView(in, host)->missing_target);

  host.shortcuts[u"D:\\to-dead.lnk"] = u"D:\\dead.lnk";
  in.selected = u"D:\\to-dead.lnk";
  EXPECT_TRUE(PlanOutView(in, host)->missing_target);

  // Pointing at itself, or unreadable: the file itself.
  host.shortcuts[u"D:\\self.lnk"] = u"d:\\SELF.lnk";
  EXPECT_EQ(FollowShortcuts(u"D:\\self.lnk", host), u"D:\\self.lnk");
  EXPECT_EQ(FollowShortcuts(u"D:\\plain.lnk", host), u"D:\\plain.lnk");
  host.shortcuts[u"D:\\to-plain.lnk"] = u"D:\\plain.lnk";
  EXPECT_EQ(FollowShortcuts(u"D:\\to-plain.lnk", host), u"D:\\plain.lnk");

  // Two shortcuts pointing at each other, and a ring of three: the selected one.
  host.shortcuts[u"D:\\a.lnk"] = u"D:\\b.lnk";
  host.shortcuts[u"D:\\b.lnk"] = u"D:\\a.lnk";
  EXPECT_EQ(FollowShortcuts(u"D:\\a.lnk", host), u"D:\\a.lnk");
  host.shortcuts[u"D:\\r1.lnk"] = u"D:\\r2.lnk";
  host.shortcuts[u"D:\\r2.lnk"] = u"D:\\r3.lnk";
  host.shortcuts[u"D:\\r3.lnk"] = u"D:\\r2.lnk";
  EXPECT_EQ(FollowShortcuts(u"D:\\r1.lnk", host), u"D:\\r1.lnk");

  // A chain longer than the limit ends at the selected one, after a bounded walk.
  for (int i = 0; i < 20; ++i)
    host.shortcuts[u"D:\\c" + IntToText(i) + u".lnk"] = u"D:\\c" + IntToText(i + 1) + u".lnk";
  host.resolved = 0;
  EXPECT_EQ(FollowShortcuts(u"D:\\c0.lnk", host), u"D:\\c0.lnk");
  EXPECT_EQ(host.resolved, kMaxShortcutSteps);
}

TEST(LinkTargetTest, FilterIsNamedAfterTheMissingFile) {
  EXPECT_EQ(LinkTargetFilter(u"D:\\arc\\pics.zip"), u"pics.zip|*.zip|全てのファイル|*.*");
  EXPECT_EQ(LinkTargetFilter(u"D:\\arc\\noext"), u"noext|*|全てのファイル|*.*");
  EXPECT_EQ(LinkTargetFilter(u""), u"*|*|全てのファイル|*.*");
  EXPECT_EQ(LinkTargetFilter(u"a|b.zip"), u"ab.zip|*.zip|全てのファイル|*.*");
}

TEST(LinkTargetTest, OnlyTheFirstLineChangesInTheFilesOwnEncoding) {
  test::Latin1Codec ansi;
  EXPECT_EQ(ReplaceFirstLine("C:\\old.zip\r\na/p.png\r\n123\r\n", u"D:\\caf\u00e9.zip", ansi),
            "D:\\caf\xe9.zip\r\na/p.png\r\n123\r\n");
  EXPECT_EQ(ReplaceFirstLine("old\nm\n1", u"new", ansi), "new\nm\n1");
  EXPECT_EQ(ReplaceFirstLine("old", u"new", ansi), "new");
  EXPECT_EQ(ReplaceFirstLine("", u"new", ansi), "new");
  // A line break in the new path cannot push the other lines down.
  EXPECT_EQ(ReplaceFirstLine("old\r\nm\r\n1", u"a\r\nb", ansi), "a  b\r\nm\r\n1");

  EXPECT_EQ(ReplaceFirstLine("\xEF\xBB\xBF" "old\r\n\xE3\x81\x82\r\n1", u"\u3042.zip", ansi),
            "\xEF\xBB\xBF\xE3\x81\x82.zip\r\n\xE3\x81\x82\r\n1");
  EXPECT_EQ(ReplaceFirstLine(std::string("\xFF\xFEo\0\r\0\n\0m\0", 10), u"N", ansi),
            std::string("\xFF\xFEN\0\r\0\n\0m\0", 10));
  EXPECT_EQ(ReplaceFirstLine(std::string("\xFE\xFF\0o\0\n\0m", 8), u"\u3042", ansi),
            std::string("\xFE\xFF\x30\x42\0\n\0m", 8));

  // A path the code page cannot hold turns the file into UTF-8 rather than "?".
  EXPECT_EQ(ReplaceFirstLine("old\r\nm\xe9\r\n1", u"\u3042.zip", ansi),
            "\xEF\xBB\xBF\xE3\x81\x82.zip\r\nm\xC3\xA9\r\n1");
}

}  // namespace
}  // namespace zk
