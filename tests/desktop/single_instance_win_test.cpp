#include "desktop/single_instance.h"

#include <gtest/gtest.h>

#include <string>

#include "base/paths.h"
#include "base/text.h"
#include "base/win_files.h"
#include "base/win_text.h"
#include "desktop/app_window.h"

namespace zk {
namespace {

std::u16string LockName(const char* what) {
  return u"ZarvikTest_" + FromWide(std::to_wstring(GetCurrentProcessId())) + u"_" + Ascii(what);
}

bool LockExists(const std::u16string& name) {
  UniqueHandle h{OpenMutexW(SYNCHRONIZE, FALSE, W(name))};
  return static_cast<bool>(h);
}

// A first copy of the program in a process of its own (see app_window_peer.cpp).
class FirstCopy {
 public:
  FirstCopy(const std::u16string& lock, const std::u16string& caption, const std::u16string& window_class = u"") {
    static int serial = 0;
    const std::u16string tag = FromWide(std::to_wstring(GetCurrentProcessId())) + u"_" +
                               FromWide(std::to_wstring(++serial));
    const std::u16string ready_name = u"ZarvikPeerReady_" + tag, quit_name = u"ZarvikPeerQuit_" + tag;
    ready_.reset(CreateEventW(nullptr, TRUE, FALSE, W(ready_name)));
    quit_.reset(CreateEventW(nullptr, TRUE, FALSE, W(quit_name)));
    const std::u16string exe = ExtractFilePath(ProgramPath()) + u"zarvik_app_window_peer.exe";
    std::u16string cmd = u"\"" + exe + u"\" \"" + (lock.empty() ? u"-" : lock) + u"\" \"" + caption + u"\" " +
                         ready_name + u" " + quit_name;
    if (!window_class.empty()) cmd += u" " + window_class;
    std::wstring line = ToWide(cmd);
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    process_.reset(pi.hProcess);
    CloseHandle(pi.hThread);
    pid_ = pi.dwProcessId;
    HANDLE waits[] = {ready_.get(), process_.get()};
    started_ = WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0;
  }
  ~FirstCopy() {
    if (!process_) return;
    SetEvent(quit_.get());
    if (WaitForSingleObject(process_.get(), 15000) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 1);
  }
  FirstCopy(const FirstCopy&) = delete;
  FirstCopy& operator=(const FirstCopy&) = delete;

  bool started() const { return started_; }
  DWORD pid() const { return pid_; }

 private:
  UniqueHandle ready_, quit_, process_;
  DWORD pid_ = 0;
  bool started_ = false;
};

DWORD ProcessOf(HWND wnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  return pid;
}

TEST(SingleInstance, OnlyOneComponentPerProcessAtATime) {
  {
    TSingleInstance first;
    try {
      TSingleInstance second;
      FAIL() << "a second component was made";
    } catch (const ESingleInstance& e) {
      EXPECT_EQ(e.Message(), u"Only single component allowed");
      EXPECT_STREQ(e.what(), "Only single component allowed");
    }
  }
  // The failed attempt was not counted, and the first one is gone now.
  EXPECT_NO_THROW(TSingleInstance again);
}

TEST(SingleInstance, FirstCopyHoldsTheLockWhileItLives) {
  const std::u16string name = LockName("first");
  {
    TSingleInstance guard;
    guard.UniqueName = name;
    bool duplicate_raised = false;
    guard.OnDuplicate = [&](TSingleInstance&) { duplicate_raised = true; };
    EXPECT_TRUE(guard.Check());
    EXPECT_TRUE(guard.Check());  // its own lock does not make it a later copy
    EXPECT_FALSE(duplicate_raised);
    EXPECT_TRUE(LockExists(name));
  }
  EXPECT_FALSE(LockExists(name));
  // A copy started after the first one ended runs normally.
  TSingleInstance next;
  next.UniqueName = name;
  EXPECT_TRUE(next.Check());
}

TEST(SingleInstance, LaterCopyRaisesOnDuplicateAndKeepsNoHandle) {
  const std::u16string name = LockName("later");
  UniqueHandle running{CreateMutexW(nullptr, FALSE, W(name))};
  ASSERT_TRUE(running);

  TSingleInstance guard;
  guard.UniqueName = name;
  guard.DupInstAction = diTerminate;
  int raised = 0;
  guard.OnDuplicate = [&](TSingleInstance& sender) {
    EXPECT_EQ(&sender, &guard);
    ++raised;
  };
  EXPECT_FALSE(guard.Check());
  EXPECT_EQ(raised, 1);
  EXPECT_EQ(TSingleInstance::RememberedWindow(), nullptr);

  // Once the running copy lets go, the lock is gone: the later copy held nothing.
  running.reset();
  EXPECT_FALSE(LockExists(name));
}

TEST(SingleInstance, ExceptionActionThrowsTheErrorMessage) {
  const std::u16string name = LockName("exception");
  UniqueHandle running{CreateMutexW(nullptr, FALSE, W(name))};
  ASSERT_TRUE(running);

  TSingleInstance guard;
  EXPECT_EQ(guard.ErrorMessage, u"すでに起動されています");
  guard.UniqueName = name;
  guard.DupInstAction = diException;
  bool raised = false;
  guard.OnDuplicate = [&](TSingleInstance&) { raised = true; };
  try {
    guard.Check();
    FAIL() << "no error";
  } catch (const ESingleInstance& e) {
    EXPECT_EQ(e.Message(), u"すでに起動されています");
  }
  EXPECT_TRUE(raised);
}

TEST(SingleInstance, LaterCopyBringsTheFirstCopysWindowToTheFront) {
  const std::u16string name = LockName("activate");
  const std::u16string caption = u"ZarvikPeer" + FromWide(std::to_wstring(GetCurrentProcessId()));
  // Class name and caption match in any letter case.
  FirstCopy first(name, caption, u"tAPPLICATION");
  ASSERT_TRUE(first.started());

  // Something of ours in front first, so that the move is seen.
  HWND ours = CreateWindowExW(0, L"STATIC", L"ours", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(ours, nullptr);
  SetForegroundWindow(ours);

  TSingleInstance guard;
  guard.UniqueName = name;
  guard.FirstCopyCaption = u"zarvikpeer" + FromWide(std::to_wstring(GetCurrentProcessId()));
  EXPECT_FALSE(guard.Check());

  // The first copy's main window, the one owned by its application window.
  HWND remembered = TSingleInstance::RememberedWindow();
  ASSERT_NE(remembered, nullptr);
  EXPECT_EQ(ProcessOf(remembered), first.pid());
  HWND app = GetWindow(remembered, GW_OWNER);
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(WindowText(app), caption);

  EXPECT_EQ(GetForegroundWindow(), ours);
  TSingleInstance::BringRememberedWindowToFront();
  // The other process takes the activation when it reads its messages.
  for (int i = 0; i < 100 && GetForegroundWindow() != remembered; ++i) Sleep(50);
  EXPECT_EQ(GetForegroundWindow(), remembered);
  DestroyWindow(ours);
}

TEST(SingleInstance, WindowWithAnotherCaptionIsNotTaken) {
  const std::u16string name = LockName("caption");
  FirstCopy first(name, u"SomethingElse");
  ASSERT_TRUE(first.started());

  TSingleInstance guard;
  guard.UniqueName = name;
  guard.FirstCopyCaption = u"ZarvikPeerCaption";
  EXPECT_FALSE(guard.Check());  // still found running by its lock
  EXPECT_EQ(TSingleInstance::RememberedWindow(), nullptr);
  TSingleInstance::BringRememberedWindowToFront();  // nothing to do
}

TEST(FindApplicationWindow, OwnProcessWindowIsPassedOver) {
  const std::u16string caption = u"ZarvikOwn" + FromWide(std::to_wstring(GetCurrentProcessId()));
  HWND own = CreateApplicationWindow(GetModuleHandleW(nullptr), W(caption));
  ASSERT_NE(own, nullptr);
  EXPECT_FALSE(IsWindowVisible(own));
  EXPECT_EQ(FindApplicationWindow(caption, GetCurrentProcessId()), nullptr);
  // Seen from any other process, it is the one.
  EXPECT_EQ(FindApplicationWindow(caption, 0), own);
  // A second window of the class needs no second registration.
  HWND another = CreateApplicationWindow(GetModuleHandleW(nullptr), L"another");
  EXPECT_NE(another, nullptr);
  DestroyWindow(another);
  DestroyWindow(own);
}

}  // namespace
}  // namespace zk
