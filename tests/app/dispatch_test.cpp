#include "app/model/dispatch.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

#include "app/model/settings.h"
#include "base/string_list.h"
#include "base/text.h"

namespace zk {
namespace {

using Calls = std::vector<std::string>;

std::string U8(const std::u16string& s) { return Utf16ToUtf8(s); }

// A file system and window that record what the dispatch asks of them.
class FakeHost : public DispatchHost {
 public:
  std::map<std::u16string, int64_t> files;  // path -> size
  std::set<std::u16string> folders;
  std::map<std::u16string, std::u16string> shortcuts;  // unknown shortcuts resolve to themselves
  std::set<std::string> takes;  // views that take the file: mp3 convert archive outline picture
  std::string throws;           // a view that raises an exception
  Calls calls;
  std::vector<std::u16string> exists_asked;
  std::vector<int32_t> last_read_times;
  std::vector<uint32_t> ticks;
  uint32_t tick = 1000;
  bool busy = false;

  bool FileExists(const std::u16string& path) override {
    exists_asked.push_back(path);
    return files.count(path) > 0;
  }
  bool FolderExists(const std::u16string& path) override { return folders.count(path) > 0; }
  int64_t FileSizeOf(const std::u16string& path) override {
    auto it = files.find(path);
    return it == files.end() ? -1 : it->second;
  }
  uint32_t TickCount() override {
    ticks.push_back(tick);
    uint32_t now = tick;
    tick += 7;
    return now;
  }
  void SetLastReadTime(int32_t ms) override { last_read_times.push_back(ms); }
  void SetBusyCursor(bool b) override {
    busy = b;
    Log(b ? "Busy:1" : "Busy:0");
  }
  void ClearArchiveList() override { Log("ClearArchiveList"); }
  void ActivateImagePage() override { Log("ActivateImagePage"); }
  void SetStatus(const std::u16string& text) override { Log("Status:" + U8(text)); }
  void ShowBinaryView(const std::u16string& path, bool size_over) override {
    View("binary", "Binary:" + U8(path) + (size_over ? ":over" : ""));
  }
  std::u16string ResolveShortcut(const std::u16string& path) override {
    Log("Resolve:" + U8(path));
    auto it = shortcuts.find(path);
    return it == shortcuts.end() ? path : it->second;
  }
  void OpenArcLink(const std::u16string& path) override { Log("ArcLink:" + U8(path)); }
  bool ShowMp3Summary(const std::u16string& path) override { return View("mp3", "Mp3:" + U8(path)); }
  bool ShowConvertedDocument(const std::u16string& path) override {
    return View("convert", "Convert:" + U8(path));
  }
  bool ListArchive(const std::u16string& path) override { return View("archive", "Archive:" + U8(path)); }
  bool ShowOutlineDocument(const std::u16string& path) override {
    return View("outline", "Outline:" + U8(path));
  }
  bool ShowPicture(const std::u16string& path) override { return View("picture", "Picture:" + U8(path)); }
  void ShowTextFile(const std::u16string& path) override { View("text", "Text:" + U8(path)); }

  // The time the last dispatch recorded must span all of it.
  int32_t WholeDispatchTime() const { return static_cast<int32_t>(ticks.back() - ticks.front()); }

 private:
  void Log(std::string s) { calls.push_back(std::move(s)); }
  bool View(const std::string& name, std::string entry) {
    Log(std::move(entry));
    if (throws == name) throw std::runtime_error(name + " failed");
    return takes.count(name) > 0;
  }
};

class DispatchTest : public ::testing::Test {
 protected:
  DispatchTest() : is_binary(SplitCommaText(kDefaultIsBinary)) { settings.IsBinary = &is_binary; }

  Calls Run(const std::u16string& path, bool from_archive_list = false) {
    host.calls.clear();
    DispatchFile(path, from_archive_list, settings, host);
    EXPECT_FALSE(host.busy) << "busy cursor left on";
    return host.calls;
  }
  void AddFile(const std::u16string& path, int64_t size = 100) { host.files[path] = size; }

  FakeHost host;
  std::vector<std::u16string> is_binary;
  DispatchSettings settings;
};

TEST_F(DispatchTest, FolderGetsTheBinaryViewAndDirectry) {
  host.folders.insert(u"C:\\dir");
  EXPECT_EQ(Run(u"C:\\dir"),
            (Calls{"ClearArchiveList", "Busy:1", "ActivateImagePage", "Binary:C:\\dir", "Status:Directry", "Busy:0"}));
  EXPECT_EQ(host.last_read_times.front(), 0);
  EXPECT_EQ(host.last_read_times.back(), host.WholeDispatchTime());
}

TEST_F(DispatchTest, MissingFileStopsWithNothingShown) {
  EXPECT_EQ(Run(u"C:\\gone.txt"), (Calls{"ClearArchiveList", "Busy:1", "Busy:0"}));
  EXPECT_EQ(host.last_read_times.size(), 2u);
}

TEST_F(DispatchTest, EmptyPathStopsBeforeTouchingAnything) {
  EXPECT_EQ(Run(u""), Calls{});
  EXPECT_EQ(host.last_read_times.size(), 2u);
}

TEST_F(DispatchTest, EmptyFileIsAZeroFileWithoutTheSizeOverMark) {
  AddFile(u"C:\\e.txt", 0);
  EXPECT_EQ(Run(u"C:\\e.txt"), (Calls{"ClearArchiveList", "Busy:1", "Binary:C:\\e.txt", "Status:Zero File", "Busy:0"}));
}

TEST_F(DispatchTest, ReadLimitIsInclusiveAndSixtyFourBit) {
  AddFile(u"C:\\over.txt", 20000001);
  EXPECT_EQ(Run(u"C:\\over.txt"), (Calls{"ClearArchiveList", "Busy:1", "Binary:C:\\over.txt:over", "Busy:0"}));

  AddFile(u"C:\\exact.txt", 20000000);
  EXPECT_EQ(Run(u"C:\\exact.txt"),
            (Calls{"ClearArchiveList", "Busy:1", "Picture:C:\\exact.txt", "Text:C:\\exact.txt", "Busy:0"}));

  // 4 GiB: its low 32 bits are zero, and it must not pass for an empty file.
  AddFile(u"C:\\huge.iso", int64_t{1} << 32);
  AddFile(u"C:\\huge.bin", (int64_t{5} << 30) + 1);
  EXPECT_EQ(Run(u"C:\\huge.iso"), (Calls{"ClearArchiveList", "Busy:1", "Binary:C:\\huge.iso:over", "Busy:0"}));
  EXPECT_EQ(Run(u"C:\\huge.bin"), (Calls{"ClearArchiveList", "Busy:1", "Binary:C:\\huge.bin:over", "Busy:0"}));

  settings.MaxReadByte = 0;  // no limit
  EXPECT_EQ(Run(u"C:\\huge.bin").back(), "Busy:0");
  EXPECT_EQ(Run(u"C:\\huge.bin").end()[-2], "Text:C:\\huge.bin");
}

TEST_F(DispatchTest, BinaryExtensionsMatchInAnyLetterCase) {
  AddFile(u"C:\\clip.mOv");
  EXPECT_EQ(Run(u"C:\\clip.mOv"), (Calls{"ClearArchiveList", "Busy:1", "Binary:C:\\clip.mOv", "Busy:0"}));
  is_binary = {u".xyz"};
  AddFile(u"C:\\a.XYZ");
  EXPECT_EQ(Run(u"C:\\a.XYZ")[2], "Binary:C:\\a.XYZ");
  EXPECT_EQ(Run(u"C:\\clip.mOv")[2], "Picture:C:\\clip.mOv");
}

TEST_F(DispatchTest, Mp3InCapitalsGoesToTheTagSummaryOnlyWhileItIsOn) {
  AddFile(u"C:\\song.MP3");
  host.takes = {"mp3"};
  EXPECT_EQ(Run(u"C:\\song.MP3"), (Calls{"ClearArchiveList", "Busy:1", "Mp3:C:\\song.MP3", "Busy:0"}));
  settings.ShowID3Tag = false;
  EXPECT_EQ(Run(u"C:\\song.MP3"),
            (Calls{"ClearArchiveList", "Busy:1", "Picture:C:\\song.MP3", "Text:C:\\song.MP3", "Busy:0"}));
}

TEST_F(DispatchTest, ConverterTakesItsExtensionsOnlyWhenItExists) {
  AddFile(u"C:\\r.DOCX");
  AddFile(u"C:\\r.pdf");
  host.takes = {"convert"};
  settings.ConverterPath = u"C:\\tools\\xdoc2txt.exe";
  EXPECT_EQ(Run(u"C:\\r.DOCX")[2], "Picture:C:\\r.DOCX");  // not there yet

  AddFile(settings.ConverterPath);
  EXPECT_EQ(Run(u"C:\\r.DOCX"), (Calls{"ClearArchiveList", "Busy:1", "Convert:C:\\r.DOCX", "Busy:0"}));
  // ".PDF" is in the default binary list, which comes first.
  EXPECT_EQ(Run(u"C:\\r.pdf")[2], "Binary:C:\\r.pdf");
  is_binary.clear();
  EXPECT_EQ(Run(u"C:\\r.pdf")[2], "Convert:C:\\r.pdf");

  EXPECT_TRUE(IsConverterExtension(u".Eml"));
  EXPECT_TRUE(IsConverterExtension(u".123"));
  EXPECT_FALSE(IsConverterExtension(u".txt"));
  EXPECT_FALSE(IsConverterExtension(u""));
}

TEST_F(DispatchTest, ArchiveListingNeedsLinkViewAndArcViewAndNotAListedMember) {
  AddFile(u"C:\\a.zip");
  host.takes = {"archive"};
  settings.ArcView = true;
  EXPECT_EQ(Run(u"C:\\a.zip"), (Calls{"ClearArchiveList", "Busy:1", "Archive:C:\\a.zip", "Busy:0"}));

  // A member shown from the list is never listed, and the list stays filled.
  EXPECT_EQ(Run(u"C:\\a.zip", true), (Calls{"Busy:1", "Picture:C:\\a.zip", "Text:C:\\a.zip", "Busy:0"}));

  settings.LinkView = false;
  EXPECT_EQ(Run(u"C:\\a.zip")[2], "Picture:C:\\a.zip");
  settings.LinkView = true;
  settings.ArcView = false;
  EXPECT_EQ(Run(u"C:\\a.zip")[2], "Picture:C:\\a.zip");
}

TEST_F(DispatchTest, ArchiveListingFailureFallsThroughToTheOtherViews) {
  AddFile(u"C:\\broken.lzh");
  settings.ArcView = true;
  host.throws = "archive";
  host.takes = {"picture"};
  EXPECT_EQ(Run(u"C:\\broken.lzh"),
            (Calls{"ClearArchiveList", "Busy:1", "Archive:C:\\broken.lzh", "Picture:C:\\broken.lzh", "Busy:0"}));
}

TEST_F(DispatchTest, OutlinePictureAndTextComeInThatOrder) {
  AddFile(u"C:\\doc.NNA");
  AddFile(u"C:\\pic.png");
  host.takes = {"outline"};
  EXPECT_EQ(Run(u"C:\\doc.NNA"), (Calls{"ClearArchiveList", "Busy:1", "Outline:C:\\doc.NNA", "Busy:0"}));
  host.takes = {"picture"};
  EXPECT_EQ(Run(u"C:\\doc.NNA"),
            (Calls{"ClearArchiveList", "Busy:1", "Outline:C:\\doc.NNA", "Picture:C:\\doc.NNA", "Busy:0"}));
  EXPECT_EQ(Run(u"C:\\pic.png"), (Calls{"ClearArchiveList", "Busy:1", "Picture:C:\\pic.png", "Busy:0"}));
}

TEST_F(DispatchTest, CacheFileBesideOrInTheCacheFolderIsShownInstead) {
  AddFile(u"C:\\p.jpg");
  AddFile(u"C:\\p.jpg.Cache");
  host.takes = {"picture"};
  EXPECT_EQ(Run(u"C:\\p.jpg"), (Calls{"ClearArchiveList", "Busy:1", "Picture:C:\\p.jpg.Cache", "Busy:0"}));
  EXPECT_EQ(host.last_read_times.size(), 2u);  // timed once, by the dispatch of the cache file

  AddFile(u"C:\\q.jpg");
  AddFile(u"D:\\cache\\q.jpg.Cache");
  settings.CacheFolder = u"D:\\cache";
  EXPECT_EQ(Run(u"C:\\q.jpg")[2], "Picture:D:\\cache\\q.jpg.Cache");
  settings.CacheFolder = u"D:\\cache\\";
  EXPECT_EQ(Run(u"C:\\q.jpg")[2], "Picture:D:\\cache\\q.jpg.Cache");
}

TEST_F(DispatchTest, CacheFileNameCandidates) {
  AddFile(u"C:\\p.jpg.Cache");
  EXPECT_EQ(CacheFileName(u"C:\\p.jpg", u"D:\\c", host), u"C:\\p.jpg.Cache");
  EXPECT_EQ(CacheFileName(u"C:\\r.jpg", u"D:\\c", host), u"D:\\c\\r.jpg.Cache");

  // With no cache folder there is no second candidate to ask about.
  host.exists_asked.clear();
  EXPECT_EQ(CacheFileName(u"C:\\r.jpg", u"", host), u"C:\\r.jpg.Cache");
  AddFile(u"C:\\r.jpg");
  host.exists_asked.clear();
  Run(u"C:\\r.jpg");
  for (const auto& asked : host.exists_asked) EXPECT_NE(asked, u"\\r.jpg.Cache");
}

TEST_F(DispatchTest, ShortcutIsFollowedOnlyWithLinkView) {
  AddFile(u"C:\\s.LNK");
  AddFile(u"C:\\t.txt");
  host.shortcuts[u"C:\\s.LNK"] = u"C:\\t.txt";
  EXPECT_EQ(Run(u"C:\\s.LNK"), (Calls{"Resolve:C:\\s.LNK", "ClearArchiveList", "Busy:1", "Picture:C:\\t.txt",
                                      "Text:C:\\t.txt", "Busy:0"}));
  EXPECT_EQ(host.last_read_times.back(), host.WholeDispatchTime());

  settings.LinkView = false;
  EXPECT_EQ(Run(u"C:\\s.LNK"),
            (Calls{"ClearArchiveList", "Busy:1", "Picture:C:\\s.LNK", "Text:C:\\s.LNK", "Busy:0"}));
}

TEST_F(DispatchTest, ShortcutToNothingLeavesTheViewCleared) {
  AddFile(u"C:\\dead.lnk");
  host.shortcuts[u"C:\\dead.lnk"] = u"";
  EXPECT_EQ(Run(u"C:\\dead.lnk"), Calls{"Resolve:C:\\dead.lnk"});
}

TEST_F(DispatchTest, ShortcutsThatLoopEndWithTheShortcutFileShown) {
  AddFile(u"C:\\self.lnk");  // unreadable: resolves to itself
  EXPECT_EQ(Run(u"C:\\self.lnk"), (Calls{"Resolve:C:\\self.lnk", "ClearArchiveList", "Busy:1",
                                         "Picture:C:\\self.lnk", "Text:C:\\self.lnk", "Busy:0"}));

  AddFile(u"C:\\a.lnk");
  AddFile(u"C:\\b.lnk");
  host.shortcuts[u"C:\\a.lnk"] = u"C:\\b.lnk";
  host.shortcuts[u"C:\\b.lnk"] = u"C:\\a.lnk";
  Calls calls = Run(u"C:\\a.lnk");
  ASSERT_GE(calls.size(), 2u);
  EXPECT_LT(calls.size(), 30u);
  EXPECT_TRUE(calls.end()[-2] == "Text:C:\\a.lnk" || calls.end()[-2] == "Text:C:\\b.lnk") << calls.end()[-2];
}

TEST_F(DispatchTest, ArcLinkIsOpenedOnlyWithLinkView) {
  AddFile(u"C:\\m.arclink");
  EXPECT_EQ(Run(u"C:\\m.arclink"), (Calls{"ClearArchiveList", "ArcLink:C:\\m.arclink"}));
  EXPECT_EQ(host.last_read_times.size(), 2u);
  settings.LinkView = false;
  EXPECT_EQ(Run(u"C:\\m.arclink")[2], "Picture:C:\\m.arclink");
  // A link met inside an archive replaces that archive's list as well.
  settings.LinkView = true;
  EXPECT_EQ(Run(u"C:\\m.arclink", true), (Calls{"ClearArchiveList", "ArcLink:C:\\m.arclink"}));
}

TEST_F(DispatchTest, CursorAndTimeAreRestoredWhenAViewThrows) {
  AddFile(u"C:\\bad.png");
  host.throws = "picture";
  host.calls.clear();
  EXPECT_THROW(DispatchFile(u"C:\\bad.png", false, settings, host), std::runtime_error);
  EXPECT_FALSE(host.busy);
  EXPECT_EQ(host.calls.back(), "Busy:0");
  EXPECT_EQ(host.last_read_times.back(), host.WholeDispatchTime());
  EXPECT_GT(host.last_read_times.back(), 0);

  host.folders.insert(u"C:\\dir");
  host.throws = "binary";
  EXPECT_THROW(DispatchFile(u"C:\\dir", false, settings, host), std::runtime_error);
  EXPECT_FALSE(host.busy);
}

TEST_F(DispatchTest, ElapsedTimeSurvivesTheTickCounterWrapping) {
  AddFile(u"C:\\t.txt");
  host.tick = 0xFFFFFFFC;
  Run(u"C:\\t.txt");
  EXPECT_EQ(host.last_read_times.back(), 7);
}

}  // namespace
}  // namespace zk
