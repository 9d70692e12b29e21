// Archives in the viewer through the real window and the stand-in archivers:
// the member list, member views, stepping with the keys and the wheel, archive
// links, Ctrl+Y, copying the list and saving a member unchanged.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "app/window/clipboard_text.h"
#include "app/window/main_window.h"
#include "archive/archive_samples.h"
#include "base/win_text.h"
#include "support/key_press.h"
#include "support/main_window_fixture.h"
#include "support/message_pump.h"
#include "support/picture_encoders.h"
#include "support/test_files.h"
#include "watcher/search_peer.h"

namespace zk {
namespace {

using test::SampleFormat;
using test::SampleMember;

// A w x 1 PNG: the width tells the pictures apart.
std::string PngOfWidth(int w) {
  test::PngRecipe r{.width = w, .height = 1, .color_type = 2};
  for (int x = 0; x < w; ++x) r.samples.insert(r.samples.end(), {uint16_t(40 * x), 20, 30});
  const test::Bytes b = test::EncodePng(r);
  return std::string(b.begin(), b.end());
}

std::string Jpeg24x16() {
  test::JpegRecipe r{.width = 24, .height = 16};
  r.samples.assign(24 * 16 * 3, 128);
  const test::Bytes b = test::EncodeJpeg(r);
  return std::string(b.begin(), b.end());
}

void ExpectNoArchiverLoaded() {
  for (const wchar_t* name : {L"UNLHA32.DLL", L"UNZIP32.DLL", L"CAB32.DLL", L"TAR32.DLL", L"UNRAR32.DLL", L"7-zip32.dll"})
    EXPECT_EQ(GetModuleHandleW(name), nullptr);
}

class ArchiveViewTest : public test::MainWindowFixture {
 protected:
  std::unique_ptr<TZKMainForm> MakeArchiveForm() {
    auto form = MakeForm();
    test::ChangeSettings(*form, [&](Settings& s) { s.ArcView = true; });
    test::ChangeSettings(*form, [&](Settings& s) { s.LinkView = true; });
    test::ShowForKeys(*form);
    return form;
  }

  std::u16string Zip(const wchar_t* name, const std::vector<SampleMember>& members) {
    const std::u16string path = dir_.Child(name);
    EXPECT_TRUE(test::WriteSampleArchive(path, SampleFormat::kZip, members));
    return path;
  }

  static void Press(TZKMainForm& form, std::initializer_list<WORD> held, WORD key) { test::PressKey(form, held, key); }

  // Opens a member with Enter from the list page.
  static void Open(TZKMainForm& form, int index) {
    form.archive_page().Select(index);
    Press(form, {}, VK_RETURN);
  }
};

TEST_F(ArchiveViewTest, ZipListsItsMembersAndEnterAndDoubleClickGoBackAndForth) {
  test::StandInArchivers dlls;
  auto form = MakeArchiveForm();
  const std::string png = PngOfWidth(3);
  const std::u16string zip = Zip(L"a.zip", {{"c.txt", "third"}, {"pics/b.png", png}, {"a.txt", "x"}});
  Show(*form, zip);
  ArchivePage& list = form->archive_page();
  ASSERT_EQ(form->ViewFileType, vfArc);
  ASSERT_EQ(list.Count(), 3);
  // Sorted by path, not in the archiver's order.
  EXPECT_EQ(list.Line(0).rfind(u"a.txt\t   1 ", 0), 0u) << Utf16ToUtf8(list.Line(0));
  EXPECT_EQ(list.Line(1).rfind(u"c.txt\t   5 ", 0), 0u);
  EXPECT_EQ(list.Line(2).rfind(u"pics\\b.png\t   " + IntToText(int64_t(png.size())) + u" ", 0), 0u);
  EXPECT_GT(list.Line(0).size(), std::u16string(u"a.txt\t   1  ").size());  // a date and a time
  EXPECT_EQ(WindowText(form->hwnd()), zip);
  EXPECT_EQ(form->Status(0), u"ArchiveFile");
  EXPECT_EQ(form->page_control().active_page(), kArcTabSheet);

  Open(*form, 1);
  EXPECT_EQ(form->ViewFileType, vfText);
  EXPECT_EQ(form->Status(1), u"c.txt");
  EXPECT_EQ(test::ReadFileBytes(form->archive_page().browser().work_folder() + u"\\c.txt"), "third");
  // The report's list lines while a member is shown.
  Press(*form, {VK_CONTROL}, 'T');
  ASSERT_FALSE(boxes_.empty());
  EXPECT_NE(boxes_.back().text.find(L"-----ArcListBox-----\rItems.Count=3\rItemIndex=1\rVisible=0\r"), std::wstring::npos);

  Press(*form, {}, VK_RETURN);
  EXPECT_EQ(form->ViewFileType, vfArc);
  EXPECT_EQ(form->Status(1), u"");
  EXPECT_TRUE(IsWindowVisible(list.ArcListBox()));

  Open(*form, 2);
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(1), u"b.png");
  SendMessageW(form->image_page().ScrollBox().hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(400, 300));
  EXPECT_EQ(form->ViewFileType, vfArc);
  EXPECT_EQ(form->Status(0), u"ArchiveFile");

  // "リストをコピー": every line, each ended by CR LF.
  ASSERT_TRUE(form->actions[CommandId::CopyListAction].Execute());
  EXPECT_EQ(ClipboardText(form->hwnd()), list.Line(0) + u"\r\n" + list.Line(1) + u"\r\n" + list.Line(2) + u"\r\n");
  ExpectNoArchiverLoaded();
}

TEST_F(ArchiveViewTest, CtrlArrowsAndTheWheelStepThroughThePictures) {
  test::StandInArchivers dlls;
  auto form = MakeArchiveForm();
  Show(*form, Zip(L"p.zip", {{"p1.png", PngOfWidth(1)}, {"p2.png", PngOfWidth(2)}, {"p3.png", PngOfWidth(3)}}));
  auto shown = [&] { return form->image_page().MainImage().PictureSize().cx; };
  Open(*form, 0);
  ASSERT_EQ(shown(), 1);
  test::ChangeSettings(*form, [&](Settings& s) { s.ArkWrap = true; });
  Press(*form, {VK_CONTROL}, VK_DOWN);
  EXPECT_EQ(shown(), 2);
  Press(*form, {VK_CONTROL}, VK_DOWN);
  EXPECT_EQ(shown(), 3);
  Press(*form, {VK_CONTROL}, VK_DOWN);
  EXPECT_EQ(shown(), 1);
  Press(*form, {VK_CONTROL}, VK_UP);
  EXPECT_EQ(shown(), 3);

  test::ChangeSettings(*form, [&](Settings& s) { s.ArkWrap = false; });
  Press(*form, {VK_CONTROL}, VK_HOME);
  EXPECT_EQ(shown(), 1);
  Press(*form, {VK_CONTROL}, VK_UP);
  EXPECT_EQ(shown(), 1);
  EXPECT_EQ(form->ViewFileType, vfImage);  // opened again
  Press(*form, {VK_CONTROL}, VK_END);
  EXPECT_EQ(shown(), 3);
  Press(*form, {VK_CONTROL}, VK_DOWN);
  EXPECT_EQ(shown(), 3);

  // A wheel turn away from the user goes back a member, as Ctrl+Up does.
  MSG wheel{form->hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0};
  form->PreTranslateMessage(wheel);
  EXPECT_EQ(shown(), 2);

  // On the list page the Ctrl actions are off.
  Press(*form, {}, VK_RETURN);
  ASSERT_EQ(form->ViewFileType, vfArc);
  Press(*form, {VK_CONTROL}, VK_DOWN);
  EXPECT_EQ(form->ViewFileType, vfArc);
  Action& down = form->actions[CommandId::CtrlDownAction];
  down.Update();
  EXPECT_FALSE(down.enabled);
}

TEST_F(ArchiveViewTest, UpAndDownMoveTheSearchWindowExceptOnTheListPage) {
  test::StandInArchivers dlls;
  test::SearchPeer peer({L"row1", L"row2", L"row3", L"--select", L"0"});
  ASSERT_TRUE(peer.started());
  auto form = MakeArchiveForm();
  form->EverythingHandle = peer.window();
  Show(*form, Zip(L"p.zip", {{"p1.png", PngOfWidth(1)}, {"p2.png", PngOfWidth(2)}}));
  form->archive_page().Select(0);
  SetFocus(form->archive_page().ArcListBox());
  Press(*form, {}, VK_DOWN);
  EXPECT_EQ(form->archive_page().SelectedIndex(), 1);
  test::PumpFor(200);
  EXPECT_EQ(peer.StatusText(), L"row1");

  Press(*form, {}, VK_RETURN);
  ASSERT_EQ(form->ViewFileType, vfImage);
  Press(*form, {}, VK_DOWN);
  EXPECT_TRUE(test::PumpUntil([&] { return peer.StatusText() == L"row2"; }));
}

TEST_F(ArchiveViewTest, EveryFormatListsAndShowsAMember) {
  test::StandInArchivers dlls;
  auto form = MakeArchiveForm();
  const std::vector<SampleMember> members{{"docs/read.txt", "read me"}, {"b.txt", "b"}};
  const struct {
    const wchar_t* file;
    const wchar_t* sample;
    SampleFormat format;
    const char16_t* member;
  } kCases[] = {
      {L"a.lzh", L"test_read_format_lha_bugfix_0.lzh.uu", SampleFormat::kZip, u"f"},
      {L"a.cab", L"test_read_format_cab_1.cab.uu", SampleFormat::kZip, u"dir1\\file1"},
      {L"a.rar", L"test_read_format_rar.rar.uu", SampleFormat::kZip, u"test.txt"},
      {L"a.tar.gz", nullptr, SampleFormat::kTarGz, u"docs\\read.txt"},
      {L"a.tar.bz2", nullptr, SampleFormat::kTarBz2, u"docs\\read.txt"},
      {L"a.7z", nullptr, SampleFormat::k7z, u"docs\\read.txt"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Utf16ToUtf8(FromWide(c.file)));
    const std::u16string path = dir_.Child(c.file);
    ASSERT_TRUE(c.sample ? test::DecodeSample(c.sample, path) : test::WriteSampleArchive(path, c.format, members));
    Show(*form, path);
    ASSERT_EQ(form->ViewFileType, vfArc);
    int index = -1;
    for (int i = 0; i < form->archive_page().Count(); ++i)
      if (form->archive_page().Line(i).rfind(std::u16string(c.member) + u"\t", 0) == 0) index = i;
    ASSERT_GE(index, 0);
    Open(*form, index);
    const std::u16string last = ExtractFileName(c.member);
    EXPECT_EQ(form->Status(1), last);
    EXPECT_TRUE(test::Exists(form->archive_page().browser().work_folder() + u"\\" + last));
    EXPECT_NE(form->ViewFileType, vfArc);
  }
  ExpectNoArchiverLoaded();
}

TEST_F(ArchiveViewTest, ArchiveLinksShowTheirPictureOrTheirBrokenText) {
  test::StandInArchivers dlls;
  auto form = MakeArchiveForm();
  const std::string png = PngOfWidth(5);
  const std::string jpeg = Jpeg24x16();
  const std::string webp = test::ReadFileBytes(FromWide(test::BinFolder() + L"\\made-pictures\\still.webp"));
  const std::u16string zip = Zip(L"l.zip", {{"in/pic.PNG", png}, {"photo.jpg", jpeg}, {"still.webp", webp}});
  const std::string zip8 = Utf16ToUtf8(zip);
  auto link = [&](const wchar_t* name, const std::string& text) { return Write(name, text); };

  Show(*form, link(L"png.ArcLink", zip8 + "\r\nin\\pic.PNG\r\n" + std::to_string(png.size()) + "\r\n"));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"Load PNG");
  EXPECT_EQ(form->image_page().MainImage().PictureSize().cx, 5);

  Show(*form, link(L"jpeg.ArcLink", zip8 + "\r\nphoto.jpg\r\n" + std::to_string(jpeg.size())));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"24 x 16");

  Show(*form, link(L"webp.ArcLink", zip8 + "\r\nstill.webp\r\n" + std::to_string(webp.size())));
  EXPECT_EQ(form->Status(0), u"9 x 7");

  Show(*form, link(L"two.ArcLink", zip8 + "\r\nphoto.jpg\r\n"));
  EXPECT_EQ(form->ViewFileType, vfTemp);
  EXPECT_TRUE(boxes_.empty());

  Show(*form, link(L"nan.ArcLink", zip8 + "\r\nphoto.jpg\r\nabc\r\n"));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"予期したかもしれないエラー");

  services_->open_link_target_dialog = [](HWND, const std::u16string&, const std::u16string&, const std::u16string&) {
    return std::u16string();  // cancelled
  };
  Show(*form, link(L"broken.ArcLink", "C:\\nowhere\\gone.zip\r\nphoto.jpg\r\n5\r\n"));
  EXPECT_EQ(form->ViewFileType, vfText);
  EXPECT_EQ(boxes_.back().text, L"リンク先が存在しません");
  EXPECT_EQ(form->text_page().RichEditURL().Text(),
            u"C:\\nowhere\\gone.zip\r\nphoto.jpg\r\n5\r\n★圧縮リンクがおかしい★");
  ExpectNoArchiverLoaded();
}

TEST_F(ArchiveViewTest, CtrlYOnATextBeepsAndWithoutArchiversOtherViewsTakeTheFile) {
  auto form = MakeArchiveForm();
  const std::u16string zip = Zip(L"n.zip", {{"a.txt", "a"}});
  {
    test::StandInArchivers dlls;
    Show(*form, Write(L"plain.txt", "just text\r\n"));
    ASSERT_EQ(form->ViewFileType, vfText);
    SetFocus(form->hwnd());
    Press(*form, {VK_CONTROL}, 'Y');
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, L"書庫の形式を判別できません");
    EXPECT_EQ(form->archive_page().Count(), 0);
  }
  // No archiver library anywhere and the built-in engine off: the dispatcher quietly goes on.
  test::ChangeSettings(*form, [&](Settings& s) { s.ArchiveBuiltIn = false; });
  Show(*form, zip);
  EXPECT_NE(form->ViewFileType, vfArc);
  EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(ArchiveViewTest, AMemberWithoutADateIsListedWithTheOthers) {
  test::StandInArchivers dlls;
  auto form = MakeArchiveForm();
  Show(*form, Zip(L"d.zip", {{"zero.txt", "z", 0}, {"b.txt", "b"}, {"c.txt", "c"}}));
  ASSERT_EQ(form->ViewFileType, vfArc);
  ASSERT_EQ(form->archive_page().Count(), 3);
  EXPECT_EQ(form->archive_page().Line(2), u"zero.txt\t   1  ");
}

TEST_F(ArchiveViewTest, AMemberNamedOutsideTheWorkFolderIsNotExtracted) {
  test::StandInArchivers dlls;
  auto form = MakeArchiveForm();
  Show(*form, Zip(L"h.zip", {{"../../evil.txt", "x"}, {std::string(600, 'n'), "long"}}));
  ASSERT_EQ(form->archive_page().Count(), 2);
  Open(*form, 0);
  EXPECT_EQ(form->ViewFileType, vfArc);  // back on the list
  EXPECT_EQ(test::CountEntries(form->archive_page().browser().work_folder()), 0);
  EXPECT_EQ(test::CountEntries(dir_.u16()), 2);  // h.zip and the work folder
  Open(*form, 1);  // a name no file system takes: nothing shown, nothing broken
  EXPECT_NE(form->ViewFileType, vfImage);
}

TEST_F(ArchiveViewTest, AMemberSavedInItsOwnFormatIsByteIdentical) {
  test::StandInArchivers dlls;
  auto form = MakeArchiveForm();
  const std::string png = PngOfWidth(7);
  Show(*form, Zip(L"s.zip", {{"pic.png", png}}));
  Open(*form, 0);
  ASSERT_EQ(form->ViewFileType, vfImage);
  const std::u16string target = dir_.Child(L"saved.png");
  services_->save_file_dialog = [&](HWND, const SaveFileRequest&) -> std::optional<SaveFileAnswer> {
    return SaveFileAnswer{target, 1};
  };
  ASSERT_TRUE(form->actions[CommandId::CopyGraphicAction].Execute());
  EXPECT_EQ(test::ReadFileBytes(target), png);
}

TEST_F(ArchiveViewTest, ALinkAfterBrowsingLeavesNoListBehind) {
  test::StandInArchivers dlls;
  auto form = MakeArchiveForm();
  Show(*form, Zip(L"a.zip", {{"a1.png", PngOfWidth(1)}, {"a2.png", PngOfWidth(2)}}));
  Open(*form, 0);
  Press(*form, {}, VK_RETURN);
  ASSERT_EQ(form->ViewFileType, vfArc);
  const std::string png = PngOfWidth(9);
  const std::u16string c = Zip(L"c.zip", {{"c.png", png}});
  Show(*form, Write(L"c.ArcLink", Utf16ToUtf8(c) + "\r\nc.png\r\n" + std::to_string(png.size()) + "\r\n"));
  ASSERT_EQ(form->image_page().MainImage().PictureSize().cx, 9);
  EXPECT_EQ(form->archive_page().Count(), 0);
  // Neither brings a.zip back.
  Press(*form, {}, VK_RETURN);
  Press(*form, {VK_CONTROL}, VK_DOWN);
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->image_page().MainImage().PictureSize().cx, 9);
}

// Sets the "encrypted" flag of the member `name` in its local and its
// central header, as a password-protected member has it.
void MarkEncrypted(std::string& zip, const std::string& name) {
  const struct {
    const char* signature;
    size_t flags, name_length, name_at;
  } kHeaders[] = {{"PK\x03\x04", 6, 26, 30}, {"PK\x01\x02", 8, 28, 46}};
  for (const auto& h : kHeaders) {
    for (size_t at = zip.find(h.signature); at != std::string::npos; at = zip.find(h.signature, at + 4)) {
      const size_t length = uint8_t(zip[at + h.name_length]) | uint8_t(zip[at + h.name_length + 1]) << 8;
      if (zip.compare(at + h.name_at, length, name) == 0) zip[at + h.flags] |= 1;
    }
  }
}

TEST_F(ArchiveViewTest, AMemberTheArchiverRefusesLeavesTheListWithTheReason) {
  test::StandInArchivers dlls;
  auto form = MakeArchiveForm();
  const std::u16string zip = Zip(L"e.zip", {{"a.txt", "plain"}, {"b.txt", "secret"}});
  std::string bytes = test::ReadFileBytes(zip);
  MarkEncrypted(bytes, "b.txt");
  ASSERT_TRUE(test::WriteFileBytes(zip, bytes));
  Show(*form, zip);
  Open(*form, 1);
  EXPECT_EQ(form->ViewFileType, vfArc);
  EXPECT_TRUE(IsWindowVisible(form->archive_page().ArcListBox()));
  EXPECT_EQ(form->archive_page().SelectedIndex(), 1);
  EXPECT_EQ(form->Status(0), u"展開できませんでした: failed: b.txt");
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ArchiveViewTest, AListingThatFailsPartWayKeepsWhatWasRead) {
  test::StandInArchivers dlls;
  auto form = MakeArchiveForm();
  const std::u16string tar = dir_.Child(L"cut.tar");
  const std::string data(2000, 'x');
  ASSERT_TRUE(test::WriteSampleArchive(tar, SampleFormat::kTar, {{"a.txt", data}, {"b.txt", data}, {"c.txt", data}}));
  // Two headers and their data in 512-byte blocks, then a third header cut short.
  ASSERT_TRUE(test::WriteFileBytes(tar, test::ReadFileBytes(tar).substr(0, 2 * (512 + 2048) + 100)));
  Show(*form, tar);
  ASSERT_EQ(form->ViewFileType, vfArc);
  EXPECT_EQ(form->archive_page().Count(), 2);
  EXPECT_EQ(form->Status(0).rfind(u"ArchiveFile  一覧の途中でエラー: 0x", 0), 0u) << Utf16ToUtf8(form->Status(0));
}

TEST_F(ArchiveViewTest, TheListKeepsTheKeysAfterAMessageBox) {
  test::StandInArchivers dlls;
  auto form = MakeArchiveForm();
  Show(*form, Zip(L"k.zip", {{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}}));
  form->archive_page().Select(0);
  ASSERT_EQ(GetFocus(), form->archive_page().ArcListBox());
  real_boxes_ = true;
  Press(*form, {VK_CONTROL}, 'T');  // the state report, closed again
  ASSERT_EQ(boxes_.size(), 1u);
  Press(*form, {}, VK_DOWN);
  EXPECT_EQ(form->archive_page().SelectedIndex(), 1);
}

// Archives the real archivers made (tests/archive/make_real_archives.sh):
// two pictures with Japanese names, 3 x 2 and 5 x 4, and a text.
std::u16string RealArchive(const wchar_t* name) { return FromWide(test::BinFolder() + L"\\real-archives\\" + name); }

TEST_F(ArchiveViewTest, WithoutArchiverDllsTheBuiltInEngineListsAndShowsEveryFormat) {
  auto form = MakeArchiveForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.IsBinary.clear(); });  // ".ISO" would go to the summary picture first
  for (const wchar_t* name : {L"info-zip-sjis.zip", L"info-zip-utf8.zip", L"7zip.7z", L"7zip.zip", L"gcab.cab",
                              L"bsdtar.tar.xz", L"bsdtar.tar.zst", L"bsdtar.tar.lz4", L"bsdtar.iso", L"bsdtar.cpio"}) {
    SCOPED_TRACE(Utf16ToUtf8(FromWide(name)));
    Show(*form, RealArchive(name));
    ASSERT_EQ(form->ViewFileType, vfArc);
    ASSERT_EQ(form->archive_page().Count(), 3);
    EXPECT_EQ(form->archive_page().Line(0).substr(0, 8), u"画像1.png\t");
    Open(*form, 0);
    EXPECT_EQ(form->Status(0), u"3 x 2");
    Press(*form, {VK_CONTROL}, VK_DOWN);
    EXPECT_EQ(form->Status(0), u"5 x 4");
  }
  // RAR 4, RAR 5, LHA lh7 and CAB with LZX from libarchive's own test archives.
  for (const wchar_t* uu : {L"test_read_format_rar.rar.uu", L"test_read_format_rar5_compressed.rar.uu",
                            L"test_read_format_lha_lh7.lzh.uu", L"test_read_format_cab_3.cab.uu"}) {
    SCOPED_TRACE(Utf16ToUtf8(FromWide(uu)));
    std::wstring file(uu);
    const std::u16string path = dir_.Child(file.substr(0, file.size() - 3));
    ASSERT_TRUE(test::DecodeSample(uu, path));
    Show(*form, path);
    ASSERT_EQ(form->ViewFileType, vfArc);
    Open(*form, form->archive_page().Count() - 1);
    EXPECT_NE(form->ViewFileType, vfArc);
    EXPECT_NE(form->Status(1), u"");
  }
  // A link to a picture inside a 7z, its member named in the ANSI code page.
  Show(*form, Write(L"in7z.ArcLink", Utf16ToUtf8(RealArchive(L"7zip.7z")) + "\r\n\x89\xe6\x91\x9c" "2.png\r\n74\r\n"));
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->image_page().MainImage().PictureSize().cx, 5);
  ExpectNoArchiverLoaded();
}

TEST_F(ArchiveViewTest, TheBuiltInEngineKeepsToTheWorkFolderAndCanBeTurnedOff) {
  auto form = MakeArchiveForm();
  Show(*form, Zip(L"h.zip", {{"../../evil.txt", "x"}, {"sub/../../up.txt", "y"}}));
  ASSERT_EQ(form->archive_page().Count(), 2);
  Open(*form, 0);
  Open(*form, 1);
  EXPECT_EQ(test::CountEntries(form->archive_page().browser().work_folder()), 0);
  EXPECT_EQ(test::CountEntries(dir_.u16()), 2);  // h.zip and the work folder
  EXPECT_TRUE(boxes_.empty());

  // Off: the missing DLL is named, as before there was an engine.
  test::ChangeSettings(*form, [&](Settings& s) { s.ArchiveBuiltIn = false; });
  Show(*form, Write(L"x.lzh", "not really"));
  SetFocus(form->hwnd());
  Press(*form, {VK_CONTROL}, 'Y');
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].text.find(L"UNLHA32.DLL"), std::wstring::npos) << Utf16ToUtf8(FromWide(boxes_[0].text));
}

}  // namespace
}  // namespace zk
