// The outside viewers driven through the real window: Ctrl+V and double
// clicks, shortcuts followed with real shell links, the stand-in viewer
// started for real, and the repair of archive links.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "app/window/main_window.h"
#include "app/shell/outside_programs.h"
#include "base/paths.h"
#include "base/text.h"
#include "base/win_files.h"
#include "base/win_text.h"
#include "support/main_window_fixture.h"
#include "support/picture_files.h"
#include "support/shortcut_file.h"

namespace zk {
namespace {

// Saves a shell link to target (which need not exist).
bool MakeShortcut(const std::u16string& link, const std::u16string& target) {
  return test::MakeShortcut(W(link), W(target));
}

std::u16string CurrentFolder() {
  wchar_t buf[MAX_PATH * 2];
  DWORD n = GetCurrentDirectoryW(MAX_PATH * 2, buf);
  return FromWide(std::wstring(buf, n));
}

// A window that counts the WM_CLOSE it gets, standing for the search window.
class CloseCounter {
 public:
  CloseCounter() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZarvikCloseCounter";
    RegisterClassW(&wc);
    wnd_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&closes_));
  }
  ~CloseCounter() { DestroyWindow(wnd_); }
  HWND hwnd() const { return wnd_; }
  int closes() const { return closes_; }

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
      ++*reinterpret_cast<int*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
      return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
  }
  HWND wnd_ = nullptr;
  int closes_ = 0;
};

struct Started {
  std::u16string command_line, folder;
};

class OutsideViewerTest : public test::MainWindowFixture {
 protected:
  // A window whose program starts are recorded, not made.
  std::unique_ptr<TZKMainForm> RecordingForm() {
    auto form = MakeForm();
    services_->start_outside_program = [this](const std::u16string& command_line, const std::u16string& folder) {
      started_.push_back({command_line, folder});
      return true;
    };
    return form;
  }
  std::u16string Picture(const std::wstring& name) { return Write(name, test::PlainBitmapFile(8, 6)); }
  std::u16string TextFile(const std::wstring& name) { return Write(name, "some text\r\n"); }
  static void DoubleClick(HWND wnd) { SendMessageW(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2)); }
  static std::u16string Quoted(const std::u16string& s) { return u"\"" + s + u"\""; }

  std::vector<Started> started_;
};

TEST_F(OutsideViewerTest, PictureGoesToThePictureViewerByCtrlVAndDoubleClick) {
  auto form = RecordingForm();
  CreateDirectoryW(W(dir_.Child(L"viewers")), nullptr);
  test::ChangeSettings(*form, [&](Settings& s) { s.OutGEditor = dir_.Child(L"viewers\\paint.exe"); });
  test::ChangeSettings(*form, [&](Settings& s) { s.OutTextEditor = u"edit.exe"; });
  const std::u16string picture = Picture(L"p.bmp");
  Show(*form, picture);
  ASSERT_EQ(form->ViewFileType, vfImage);

  EXPECT_TRUE(form->actions[CommandId::OutViewAction].Execute());
  DoubleClick(form->image_page().MainImage().hwnd());
  ASSERT_EQ(started_.size(), 2u);
  for (const Started& s : started_) {
    EXPECT_EQ(s.command_line, form->settings().OutGEditor + u" " + Quoted(picture));
    EXPECT_EQ(s.folder, dir_.Child(L"viewers\\"));
  }

  // The binary view on the same control opens nothing, by key or by mouse.
  CreateDirectoryW(W(dir_.Child(L"sub")), nullptr);
  Show(*form, dir_.Child(L"sub"));
  ASSERT_EQ(form->ViewFileType, vfBinary);
  EXPECT_FALSE(form->actions[CommandId::OutViewAction].Execute());
  DoubleClick(form->image_page().MainImage().hwnd());
  EXPECT_EQ(started_.size(), 2u);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(OutsideViewerTest, TextGoesToTheTextViewerStartedInTheFilesFolder) {
  auto form = RecordingForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.OutTextEditor = u"edit.exe"; });  // a bare name, no folder set
  test::ChangeSettings(*form, [&](Settings& s) { s.OutGEditor = u"paint.exe"; });
  const std::u16string text = TextFile(L"t.txt");
  Show(*form, text);
  ASSERT_EQ(form->ViewFileType, vfText);

  EXPECT_TRUE(form->actions[CommandId::OutViewAction].Execute());
  DoubleClick(form->text_page().RichEditURL().hwnd());
  ASSERT_EQ(started_.size(), 2u);
  for (const Started& s : started_) {
    EXPECT_EQ(s.command_line, u"edit.exe " + Quoted(text));
    EXPECT_TRUE(EqualsIgnoreCase(s.folder, IncludeTrailingDelimiter(dir_.u16()))) << Utf16ToUtf8(s.folder);
  }

  // A long text makes a new text control when cleared; it takes double clicks too.
  const HWND first_control = form->text_page().RichEditURL().hwnd();
  const std::u16string long_text = dir_.Child(L"long.txt");
  ASSERT_TRUE(test::WriteFileBytes(long_text, std::string(40000, 'x') + "\r\n"));
  Show(*form, long_text);
  Show(*form, text);
  ASSERT_NE(form->text_page().RichEditURL().hwnd(), first_control);
  DoubleClick(form->text_page().RichEditURL().hwnd());
  ASSERT_EQ(started_.size(), 3u);
  EXPECT_EQ(started_[2].command_line, u"edit.exe " + Quoted(text));
  // The mouse makes double clicks on both controls at all.
  EXPECT_TRUE(GetClassLongPtrW(form->text_page().RichEditURL().hwnd(), GCL_STYLE) & CS_DBLCLKS);
  EXPECT_TRUE(GetClassLongPtrW(form->image_page().MainImage().hwnd(), GCL_STYLE) & CS_DBLCLKS);

  // No text viewer set: nothing happens, though a picture viewer is set.
  test::ChangeSettings(*form, [&](Settings& s) { s.OutTextEditor.clear(); });
  EXPECT_TRUE(form->actions[CommandId::OutViewAction].Execute());
  DoubleClick(form->text_page().RichEditURL().hwnd());
  EXPECT_EQ(started_.size(), 3u);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(OutsideViewerTest, CtrlClosesTheSearchWindowOnceTheViewerStarted) {
  auto form = RecordingForm();
  CloseCounter search_window;
  form->EverythingHandle = search_window.hwnd();
  test::ChangeSettings(*form, [&](Settings& s) { s.OutTextEditor = u"edit.exe"; });
  Show(*form, TextFile(L"t.txt"));
  {
    test::HeldKeys keys({VK_CONTROL, VK_SHIFT});  // Ctrl+Shift keeps it open
    form->OutViewActionExecute();
  }
  EXPECT_EQ(search_window.closes(), 0);
  {
    test::HeldKeys keys({VK_CONTROL});
    form->OutViewActionExecute();
    DoubleClick(form->text_page().RichEditURL().hwnd());
  }
  EXPECT_EQ(search_window.closes(), 2);
  EXPECT_EQ(started_.size(), 3u);

  // A viewer that did not start leaves the search window alone.
  services_->start_outside_program = [](const std::u16string&, const std::u16string&) { return false; };
  {
    test::HeldKeys keys({VK_CONTROL});
    form->OutViewActionExecute();
  }
  EXPECT_EQ(search_window.closes(), 2);
}

TEST_F(OutsideViewerTest, ProgramThatDoesNotStartIsReported) {
  auto form = MakeForm();  // the real start
  test::ChangeSettings(*form, [&](Settings& s) { s.OutTextEditor = dir_.Child(L"missing\\viewer.exe"); });
  Show(*form, TextFile(L"t.txt"));
  const std::u16string before = CurrentFolder();
  form->OutViewActionExecute();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, ToWide(form->settings().OutTextEditor) + L"\rの起動に失敗");
  EXPECT_EQ(CurrentFolder(), before);
}

// The stand-in viewer started for real with the target of a shortcut that the
// dispatcher did not follow (LinkView off; a cache picture shows for it).
TEST_F(OutsideViewerTest, ShortcutWithLinkViewOffOpensItsTargetInTheRealViewer) {
  auto form = MakeForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.LinkView = false; });
  const std::u16string target = Picture(L"target picture.bmp");
  const std::u16string link = dir_.Child(L"shortcut.lnk");
  ASSERT_TRUE(MakeShortcut(link, target));
  Picture(L"shortcut.lnk.Cache");
  const std::u16string peer = ExtractFilePath(ProgramPath()) + u"outside_viewer_peer.exe";
  ASSERT_TRUE(FileExists(peer));
  const std::u16string log = dir_.Child(L"started.log");
  test::ChangeSettings(*form, [&](Settings& s) { s.OutGEditor = Quoted(peer) + u" --log " + Quoted(log); });

  Show(*form, link);
  ASSERT_EQ(form->ViewFileType, vfImage);
  const std::u16string before = CurrentFolder();
  EXPECT_TRUE(form->actions[CommandId::OutViewAction].Execute());
  EXPECT_EQ(CurrentFolder(), before);
  EXPECT_TRUE(boxes_.empty());

  std::string text;
  for (int i = 0; i < 300 && text.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    text = test::ReadFileBytes(log);
  }
  ASSERT_FALSE(text.empty()) << "the stand-in viewer did not start";
  std::u16string lines = Utf8ToUtf16(text);
  std::vector<std::u16string> parts;
  for (size_t start = 0, end; (end = lines.find(u'\n', start)) != std::u16string::npos; start = end + 1)
    parts.push_back(lines.substr(start, end - start));
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0], form->settings().OutGEditor + u" " + Quoted(parts[2]));
  EXPECT_TRUE(EqualsIgnoreCase(parts[2], target)) << Utf16ToUtf8(parts[2]);
  // No folder set: the one the program setting names.
  EXPECT_TRUE(EqualsIgnoreCase(IncludeTrailingDelimiter(parts[1]), ExtractFilePath(peer))) << Utf16ToUtf8(parts[1]);
}

TEST_F(OutsideViewerTest, ShortcutsToMissingFilesFoldersEachOtherAndThemselves) {
  const std::u16string target = TextFile(L"t.txt");
  const std::u16string gone = dir_.Child(L"gone.txt");
  const std::u16string folder = dir_.Child(L"sub");
  CreateDirectoryW(W(folder), nullptr);
  const std::u16string to_text = dir_.Child(L"to-text.lnk"), to_gone = dir_.Child(L"to-gone.lnk"),
                       to_folder = dir_.Child(L"to-folder.lnk"), a = dir_.Child(L"a.lnk"), b = dir_.Child(L"b.lnk"),
                       self = dir_.Child(L"self.lnk"), to_link = dir_.Child(L"to-link.lnk"),
                       not_link = dir_.Child(L"not-a-link.lnk");
  ASSERT_TRUE(MakeShortcut(to_text, target));
  ASSERT_TRUE(MakeShortcut(to_gone, gone));
  ASSERT_TRUE(MakeShortcut(to_folder, folder));
  ASSERT_TRUE(MakeShortcut(a, b));
  ASSERT_TRUE(MakeShortcut(b, a));
  ASSERT_TRUE(MakeShortcut(self, self));
  ASSERT_TRUE(MakeShortcut(to_link, to_text));
  ASSERT_TRUE(test::WriteFileBytes(not_link, "plain text, no shell link"));

  // The resolution itself: an existing file, else nothing; an unreadable
  // shortcut is its own target.
  EXPECT_TRUE(EqualsIgnoreCase(ResolveShortcut(to_text), target));
  EXPECT_EQ(ResolveShortcut(to_gone), u"");
  EXPECT_EQ(ResolveShortcut(to_folder), u"");
  EXPECT_TRUE(EqualsIgnoreCase(ResolveShortcut(a), b));
  EXPECT_TRUE(EqualsIgnoreCase(ResolveShortcut(self), self));
  EXPECT_TRUE(EqualsIgnoreCase(ResolveShortcut(not_link), not_link));
  EXPECT_EQ(ResolveShortcut(dir_.Child(L"nothing.lnk")), u"");

  auto form = RecordingForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.OutTextEditor = u"edit.exe"; });
  auto opened = [&](const std::u16string& link) -> std::u16string {
    form->SelectedFileName = link;
    const size_t before = started_.size();
    form->OutView(form->text_page().RichEditURL().hwnd());
    if (started_.size() == before) return u"(nothing)";
    const std::u16string& line = started_.back().command_line;
    return line.substr(line.find(u'"'));
  };
  EXPECT_TRUE(EqualsIgnoreCase(opened(to_link), Quoted(target)));
  EXPECT_TRUE(EqualsIgnoreCase(opened(self), Quoted(self)));
  EXPECT_TRUE(EqualsIgnoreCase(opened(a), Quoted(a)));
  EXPECT_TRUE(EqualsIgnoreCase(opened(not_link), Quoted(not_link)));
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(opened(to_gone), u"(nothing)");
  EXPECT_EQ(opened(to_folder), u"(nothing)");
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, L"リンク先が存在しません");

  // Shown through the shortcut, then the target goes away before the double click.
  Show(*form, to_text);
  ASSERT_EQ(form->ViewFileType, vfText);
  ASSERT_TRUE(DeleteFileW(W(target)));
  const size_t before = started_.size();
  DoubleClick(form->text_page().RichEditURL().hwnd());
  EXPECT_EQ(started_.size(), before);
  EXPECT_EQ(boxes_.size(), 3u);
}

TEST_F(OutsideViewerTest, LinkTargetRepairRewritesOnlyTheFirstLine) {
  auto form = MakeForm();
  const std::u16string link = dir_.Child(L"pic.ArcLink");
  const std::string rest = "\r\nfolder/p.png\r\n1234\r\n";
  ASSERT_TRUE(test::WriteFileBytes(link, "C:\\gone\\old.zip" + rest));
  std::vector<std::u16string> asked;
  std::u16string answer;
  services_->open_link_target_dialog = [&](HWND owner, const std::u16string& title, const std::u16string& filter,
                                   const std::u16string& current) {
    EXPECT_EQ(owner, form->hwnd());
    asked = {title, filter, current};
    return answer;
  };

  std::u16string target = u"C:\\gone\\old.zip";
  EXPECT_FALSE(form->AskLinkTarget(link, target));  // cancelled
  EXPECT_EQ(target, u"C:\\gone\\old.zip");
  EXPECT_EQ(test::ReadFileBytes(link), "C:\\gone\\old.zip" + rest);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"リンク先が存在しません");
  EXPECT_EQ(asked, (std::vector<std::u16string>{u"リンク先を探す", u"old.zip|*.zip|全てのファイル|*.*",
                                                u"C:\\gone\\old.zip"}));

  answer = dir_.Child(L"new.zip");
  EXPECT_TRUE(form->AskLinkTarget(link, target));
  EXPECT_EQ(target, answer);
  EXPECT_EQ(test::ReadFileBytes(link), Utf16ToUtf8(answer) + rest);
  EXPECT_EQ(boxes_.size(), 2u);

  // A link file that went away meanwhile: the choice still counts, and the
  // user hears that the file kept nothing.
  ASSERT_TRUE(DeleteFileW(W(link)));
  target = u"C:\\gone\\old.zip";
  EXPECT_TRUE(form->AskLinkTarget(link, target));
  EXPECT_EQ(target, answer);
  ASSERT_EQ(boxes_.size(), 4u);
  EXPECT_EQ(boxes_[3].text, ToWide(link) + L"\rに書き込めませんでした");
  EXPECT_FALSE(FileExists(link));
}

TEST(FindProgramTest, SearchPathThenAppPathsEntry) {
  // The system's own programs are found on the search path.
  EXPECT_FALSE(FindProgram(u"cmd.exe").empty());
  const std::u16string name = u"zarvik-test-" + Ascii(std::to_string(GetCurrentProcessId())) + u".exe";
  EXPECT_EQ(FindProgram(name), u"");

  const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + ToWide(name);
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
            ERROR_SUCCESS);
  const std::wstring value = L"D:\\Tools\\registered.exe";
  RegSetValueExW(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  EXPECT_EQ(FindProgram(name), u"D:\\Tools\\registered.exe");

  // Entries written with environment variables are common; they are expanded.
  const std::wstring expanding = L"%SystemRoot%\\registered.exe";
  RegSetValueExW(k, nullptr, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expanding.c_str()),
                 static_cast<DWORD>((expanding.size() + 1) * sizeof(wchar_t)));
  wchar_t root[MAX_PATH];
  GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
  EXPECT_TRUE(EqualsIgnoreCase(FindProgram(name), FromWide(std::wstring(root) + L"\\registered.exe")))
      << Utf16ToUtf8(FindProgram(name));
  RegCloseKey(k);
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
}

TEST(CanonicalPathTest, FullLongPathOfAnExistingFile) {
  test::TempDir dir;
  const std::u16string file = dir.Child(L"a long file name.txt");
  ASSERT_TRUE(test::WriteFileBytes(file, "x"));
  wchar_t short_name[MAX_PATH];
  DWORD n = GetShortPathNameW(W(file), short_name, MAX_PATH);
  ASSERT_GT(n, 0u);
  EXPECT_TRUE(EqualsIgnoreCase(CanonicalPath(FromWide(std::wstring(short_name, n))), file));
  EXPECT_THROW(CanonicalPath(dir.Child(L"missing\\x.txt")), std::runtime_error);
}

}  // namespace
}  // namespace zk
