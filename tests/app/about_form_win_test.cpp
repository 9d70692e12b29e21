// The About box, modal over the real main window: its three pages, the
// versions it reads, the cycling list and the ways it closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "app/dialogs/about_form.h"
#include "app/shell/file_info.h"
#include "support/main_window_fixture.h"
#include "support/message_pump.h"

namespace zk {
namespace {

using AboutTest = test::OwnProgramFixture;
using test::PumpFor;

void Click(HWND control) {
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

bool EndsWith(const std::u16string& s, const std::u16string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Closes a box that a failing test would leave open, so the run goes on.
class Watchdog {
 public:
  explicit Watchdog(TZKAboutForm& about) : id_(SetTimer(nullptr, 0, 10000, &Fire)) {
    watched_ = &about;
    fired_ = false;
  }
  ~Watchdog() {
    KillTimer(nullptr, id_);
    watched_ = nullptr;
  }
  static bool fired() { return fired_; }

 private:
  static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD) {
    fired_ = true;
    if (watched_) watched_->Close();
  }
  static inline TZKAboutForm* watched_ = nullptr;
  static inline bool fired_ = false;
  UINT_PTR id_;
};

// Sets the current folder for a while; FindProgram searches it.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::u16string& folder) {
    GetCurrentDirectoryW(MAX_PATH, saved_);
    SetCurrentDirectoryW(W(folder));
  }
  ~CurrentFolder() { SetCurrentDirectoryW(saved_); }

 private:
  wchar_t saved_[MAX_PATH] = {};
};

TEST_F(AboutTest, ThreePagesWithTheVersionsOfTheProgramAndItsCompanions) {
  auto form = MakeForm();
  form->plugins()->Clear();  // only the archiver DLLs here; the plug-ins have a case of their own
  test::TempDir dlls;
  ASSERT_TRUE(CopyFileW(W(test::BinFile(L"version_partial.dll")), W(dlls.Child(L"UNZIP32.DLL")), FALSE));
  ASSERT_TRUE(CopyFileW(W(test::BinFile(L"zarvik.exe")), W(dlls.Child(L"TAR32.DLL")), FALSE));
  CurrentFolder in_dlls(dlls.u16());
  auto exe = test::BinFile(L"zarvik.exe");
  VersionStrings own = ReadVersionStrings(exe);
  test::ChangeSettings(*form, [&](Settings& s) { s.EverythingPath = exe; });  // stands in for the search program: it has a version
  form->SetConverterPath(test::BinFile(L"version_partial.dll"));

  bool ran = false;
  std::optional<Watchdog> watchdog;
  services_->about_shown = [&](TZKAboutForm& about) {
    ran = true;
    watchdog.emplace(about);
    EXPECT_FALSE(IsWindowEnabled(form->hwnd()));  // modal
    EXPECT_EQ(WindowText(about.hwnd()), u"ZKAboutForm");
    RECT wr;
    GetWindowRect(about.hwnd(), &wr);
    EXPECT_EQ(wr.right - wr.left, 400);
    EXPECT_EQ(wr.bottom - wr.top, 400);

    EXPECT_EQ(about.page(), 0);
    EXPECT_TRUE(IsWindowVisible(about.TitleLabel));
    EXPECT_EQ(WindowText(about.TitleLabel), u"Zarvik");
    EXPECT_EQ(about.HintOf(about.TitleLabel), u"Orvanne");
    EXPECT_EQ(WindowText(about.VersionLabel), u"Version " + own.ProductVersion);
    EXPECT_EQ(about.HintOf(about.VersionLabel), own.FileVersion + u"\r" + own.FileDescription);
    EXPECT_FALSE(about.cycling());

    Click(about.Image1.hwnd());
    EXPECT_EQ(about.page(), 1);
    EXPECT_FALSE(IsWindowVisible(about.TitleLabel));
    EXPECT_TRUE(IsWindowVisible(about.ModuleLabel));
    EXPECT_EQ(WindowText(about.EverythingLabel), u"Everything :");
    EXPECT_EQ(WindowText(about.EverythingVersionLabel), u"Version " + own.ProductVersion);
    EXPECT_EQ(about.HintOf(about.EverythingVersionLabel), own.FileVersion);
    EXPECT_EQ(WindowText(about.Xdoc2txtLabel), u"xdoc2txt :");
    EXPECT_EQ(WindowText(about.Xdoc2txtPathLabel), u"  " + form->converter_path());

    // Found in the current folder, in the list's order, each with its version.
    EXPECT_TRUE(about.cycling());
    ASSERT_EQ(about.module_entry_count(), 5u);
    std::u16string first = WindowText(about.ModuleLabel);
    EXPECT_TRUE(EndsWith(first, u"\\UNZIP32.DLL\r  Version UnKnown")) << Utf16ToUtf8(first);
    about.CycleTimerTimer();
    EXPECT_TRUE(EndsWith(WindowText(about.ModuleLabel), u"\\TAR32.DLL\r  Version " + own.ProductVersion));
    about.CycleTimerTimer();  // the built-in archive engine after the DLLs
    EXPECT_EQ(WindowText(about.ModuleLabel).rfind(u"内蔵書庫エンジン\r  libarchive 3.", 0), 0u);
    about.CycleTimerTimer();
    EXPECT_EQ(WindowText(about.ModuleLabel), u"内蔵画像デコーダ\r  libwebp 1.2.4");
    about.CycleTimerTimer();
    EXPECT_EQ(WindowText(about.ModuleLabel), u"内蔵画像デコーダ\r  AVIF dav1d 1.0.0");
    about.CycleTimerTimer();
    EXPECT_EQ(WindowText(about.ModuleLabel), first);

    Click(about.Image2.hwnd());
    EXPECT_EQ(about.page(), 2);
    EXPECT_FALSE(about.cycling());
    EXPECT_FALSE(about.closed());
    Click(about.Image3.hwnd());  // the last picture closes the box
    EXPECT_TRUE(about.closed());
  };
  form->AboutMenClick();
  EXPECT_TRUE(ran);
  EXPECT_FALSE(Watchdog::fired());
  EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
  EXPECT_FALSE(IsWindowVisible(form->hwnd()));  // it was not on screen before either
}

TEST_F(AboutTest, MissingCompanionsLeaveTheirLinesEmpty) {
  auto form = MakeForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.EverythingPath = dir_.Child(L"Everything.exe"); });  // not there
  form->SetConverterPath(u"");
  std::optional<Watchdog> watchdog;
  services_->about_shown = [&](TZKAboutForm& about) {
    watchdog.emplace(about);
    about.ShowPage(1);
    EXPECT_EQ(WindowText(about.EverythingVersionLabel), u"");
    EXPECT_EQ(about.HintOf(about.EverythingVersionLabel), u"");
    EXPECT_EQ(WindowText(about.Xdoc2txtPathLabel), u"");
    about.Close();
  };
  form->AboutMenClick();
  EXPECT_FALSE(Watchdog::fired());
}

TEST_F(AboutTest, EscapeClosesItAndTheMainWindowComesBack) {
  auto form = MakeForm();
  ShowWindow(form->hwnd(), SW_SHOWNA);
  bool hidden_meanwhile = false;
  std::optional<Watchdog> watchdog;
  services_->about_shown = [&](TZKAboutForm& about) {
    watchdog.emplace(about);
    hidden_meanwhile = !IsWindowVisible(form->hwnd());
    // Through the box's own message loop, as a key press comes.
    PostMessageW(GetFocus() ? GetFocus() : about.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  };
  form->AboutMenClick();
  EXPECT_FALSE(Watchdog::fired());
  EXPECT_TRUE(hidden_meanwhile);
  EXPECT_TRUE(IsWindowVisible(form->hwnd()));
}

TEST_F(AboutTest, LosingTheFocusClosesIt) {
  auto form = MakeForm();
  std::optional<Watchdog> watchdog;
  services_->about_shown = [&](TZKAboutForm& about) {
    watchdog.emplace(about);
    EXPECT_EQ(GetActiveWindow(), about.hwnd());
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    EXPECT_TRUE(about.closed());
    DestroyWindow(other);
  };
  form->AboutMenClick();
  EXPECT_FALSE(Watchdog::fired());
}

TEST(AboutFormTest, ListCyclesByItselfOnlyOnItsPageAndTheLinkOpensThePage) {
  AboutFormOptions o;
  o.plugin_names = {u"ifpng.spi"};
  o.locate = [](const std::u16string& name) {
    return name == u"CAB32.DLL" || name == u"YZ1.DLL" || name == u"ifpng.spi" ? u"C:\\x\\" + name : u"";
  };
  o.cycle_interval_ms = 100;  // slow enough that a loaded machine still samples every entry
  std::vector<std::u16string> opened, seen;
  o.open_url = [&](const std::u16string& url) { opened.push_back(url); };
  std::optional<Watchdog> watchdog;
  o.on_shown = [&](TZKAboutForm& about) {
    watchdog.emplace(about);
    LinkLabel& link = about.AuthorLink;
    EXPECT_EQ(link.TextColor(), RGB(0, 0, 255));
    SendMessageW(link.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(link.TextColor(), RGB(0, 255, 255));
    SendMessageW(link.hwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(link.TextColor(), RGB(0, 0, 255));
    Click(link.hwnd());

    about.ShowPage(1);
    seen.push_back(WindowText(about.ModuleLabel));
    for (DWORD start = GetTickCount(); seen.size() < 5 && GetTickCount() - start < 5000;) {
      PumpFor(5);
      std::u16string now = WindowText(about.ModuleLabel);
      if (now != seen.back()) seen.push_back(now);
    }
    about.ShowPage(0);
    std::u16string frozen = WindowText(about.ModuleLabel);
    PumpFor(300);
    EXPECT_EQ(WindowText(about.ModuleLabel), frozen);
    about.Close();
  };
  TZKAboutForm about(std::move(o));
  about.ShowModal();
  EXPECT_FALSE(Watchdog::fired());
  EXPECT_EQ(opened, std::vector<std::u16string>{kAuthorPageUrl});
  const std::vector<std::u16string> expected = {u"C:\\x\\CAB32.DLL\r", u"C:\\x\\YZ1.DLL\r", u"C:\\x\\ifpng.spi\r",
                                                u"C:\\x\\CAB32.DLL\r", u"C:\\x\\YZ1.DLL\r"};
  EXPECT_EQ(seen, expected);
}

}  // namespace
}  // namespace zk
