// Finding the search window and reading its status bar across processes,
// with the stand-in and with windows that break the contract.
#include "watcher/search_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/test_files.h"
#include "watcher/search_peer.h"

namespace zk {
namespace {

using test::SearchPeer;

// Committed private regions of a process: memory reserved in it and not
// released shows up here.
int CommittedPrivateRegions(HANDLE process) {
  int count = 0;
  MEMORY_BASIC_INFORMATION mbi;
  for (char* at = nullptr; VirtualQueryEx(process, at, &mbi, sizeof(mbi)) == sizeof(mbi);
       at = static_cast<char*>(mbi.BaseAddress) + mbi.RegionSize) {
    if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) ++count;
    if (mbi.RegionSize == 0) break;
  }
  return count;
}

// Handles this process holds, from the system's handle list (Wine answers
// GetProcessHandleCount with 0).
DWORD OwnHandleCount() {
  struct Entry {
    ULONG owner_pid;
    BYTE object_type;
    BYTE flags;
    USHORT value;
    void* object;
    ULONG access;
  };
  using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
  static auto query =
      reinterpret_cast<Query>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation"));
  constexpr ULONG kSystemHandleInformation = 16;
  std::vector<char> buf(1 << 20);
  for (int tries = 0; tries < 8; ++tries) {
    ULONG needed = 0;
    LONG status = query(kSystemHandleInformation, buf.data(), static_cast<ULONG>(buf.size()), &needed);
    if (status == 0) break;
    buf.resize(std::max<size_t>(buf.size() * 2, needed + 4096));
  }
  const ULONG count = *reinterpret_cast<ULONG*>(buf.data());
  const auto* entries = reinterpret_cast<const Entry*>(buf.data() + sizeof(void*));
  DWORD own = 0;
  for (ULONG i = 0; i < count; ++i)
    if (entries[i].owner_pid == GetCurrentProcessId()) ++own;
  return own;
}

TEST(SearchWindow, HandleCountSeesHandles) {
  const DWORD before = OwnHandleCount();
  ASSERT_GT(before, 0u);
  HANDLE e = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  EXPECT_EQ(OwnHandleCount(), before + 1);
  CloseHandle(e);
  EXPECT_EQ(OwnHandleCount(), before);
}

// A window class of this process for windows that break the contract.
HWND MakeWindow(const wchar_t* class_name, const wchar_t* caption, HWND parent = nullptr) {
  WNDCLASSEXW wc{sizeof(wc)};
  HINSTANCE inst = GetModuleHandleW(nullptr);
  if (!GetClassInfoExW(inst, class_name, &wc)) {
    wc = WNDCLASSEXW{sizeof(wc)};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = inst;
    wc.lpszClassName = class_name;
    RegisterClassExW(&wc);
  }
  return CreateWindowExW(0, class_name, caption, parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 10, 10, parent, nullptr,
                         inst, nullptr);
}

TEST(SearchWindow, StandInIsFoundWithItsStatusBarAndList) {
  test::TempDir dir;
  ASSERT_TRUE(test::WriteFileBytes(dir.Child(L"one.txt"), "1"));
  SearchPeer peer({dir.path().wstring(), L"--select", L"0"});
  ASSERT_TRUE(peer.started());
  EXPECT_EQ(FindSearchWindow(), peer.window());
  HWND status = FindChildWindowByClass(peer.window(), u"MSCTLS_STATUSBAR32");
  EXPECT_EQ(status, peer.status());
  EXPECT_EQ(FindChildWindowByClass(peer.window(), u"everything_listview"), peer.list());
  EXPECT_EQ(FindChildWindowByClass(peer.window(), u"NoSuchClass"), nullptr);
  EXPECT_EQ(FindChildWindowByClass(nullptr, u"EVERYTHING_LISTVIEW"), nullptr);
  EXPECT_EQ(ReadStatusBarText(status), dir.Child(L"one.txt"));
}

TEST(SearchWindow, CaptionWithoutTheWordIsNotTaken) {
  SearchPeer peer({L"C:\\x\\y.txt", L"--caption", L"Search"});
  ASSERT_TRUE(peer.started());
  EXPECT_EQ(FindSearchWindow(), nullptr);
}

TEST(SearchWindow, LongStatusTextsAreReadWhole) {
  // 1000 characters does not fit the customary 1000-byte exchange; 5000
  // needs more than one page.
  for (size_t length : {499u, 1000u, 5000u}) {
    std::wstring path = L"C:\\" + std::wstring(length - 9, L'長') + L"\\x.txt";
    ASSERT_EQ(path.size(), length);
    SearchPeer peer({path, L"--select", L"0"});
    ASSERT_TRUE(peer.started());
    EXPECT_EQ(ToWide(ReadStatusBarText(peer.status())), path) << length;
  }
}

TEST(SearchWindow, CountAndEmptyTextsReadAsTheyAre) {
  SearchPeer counted({L"C:\\a.txt", L"C:\\b.txt"});
  ASSERT_TRUE(counted.started());
  EXPECT_EQ(ReadStatusBarText(counted.status()), u"2 オブジェクト");
  counted.Close();

  SearchPeer empty({L"", L"--select", L"0"});
  ASSERT_TRUE(empty.started());
  EXPECT_EQ(ReadStatusBarText(empty.status()), u"");
}

TEST(SearchWindow, RepeatedReadsLeaveNoHandleAndNoRemoteMemory) {
  SearchPeer peer({L"C:\\folder\\file.txt", L"--select", L"0"});
  ASSERT_TRUE(peer.started());
  ASSERT_EQ(ReadStatusBarText(peer.status()), u"C:\\folder\\file.txt");  // warm up
  const DWORD handles = OwnHandleCount();
  const int regions = CommittedPrivateRegions(peer.process());
  ASSERT_GT(regions, 0);
  for (int i = 0; i < 200; ++i) ASSERT_EQ(ReadStatusBarText(peer.status()), u"C:\\folder\\file.txt");
  EXPECT_EQ(OwnHandleCount(), handles);
  // A leak would leave 200 more regions; allow the stand-in some of its own.
  EXPECT_LT(CommittedPrivateRegions(peer.process()), regions + 20);
}

TEST(SearchWindow, KeptReaderHoldsOneExchangeAndGrowsIt) {
  const std::wstring short_path = L"C:\\s.txt";
  const std::wstring long_path = L"C:\\" + std::wstring(3000, L'x') + L"\\l.txt";
  SearchPeer peer({short_path, long_path, L"--select", L"0"});
  ASSERT_TRUE(peer.started());
  const DWORD handles = OwnHandleCount();
  const int regions = CommittedPrivateRegions(peer.process());
  StatusBarReader reader;
  for (int i = 0; i < 100; ++i) ASSERT_EQ(ToWide(reader.Read(peer.status())), short_path);
  EXPECT_TRUE(reader.holds_memory());
  EXPECT_EQ(OwnHandleCount(), handles + 1);  // the search window's process
  ASSERT_TRUE(peer.Key(VK_DOWN, long_path));
  EXPECT_EQ(ToWide(reader.Read(peer.status())), long_path);
  EXPECT_LT(CommittedPrivateRegions(peer.process()), regions + 5);
  reader.Release();
  EXPECT_FALSE(reader.holds_memory());
  EXPECT_EQ(OwnHandleCount(), handles);
}

TEST(SearchWindow, WindowGoneInTheMiddleOfAReadGivesNothing) {
  SearchPeer peer({L"C:\\a\\b.txt", L"--select", L"0", L"--exit-on-read"});
  ASSERT_TRUE(peer.started());
  HWND status = peer.status();
  const DWORD handles = OwnHandleCount();
  StatusBarReader reader;
  EXPECT_EQ(reader.Read(status), u"");
  // What was taken for the read went with the failed read.
  EXPECT_FALSE(reader.holds_memory());
  EXPECT_EQ(OwnHandleCount(), handles);
  EXPECT_TRUE(peer.Ended());
  // Gone for good: the window, and with it its process.
  EXPECT_EQ(reader.Read(status), u"");
  EXPECT_EQ(ReadStatusBarText(status), u"");
  EXPECT_EQ(OwnHandleCount(), handles);
}

TEST(SearchWindow, StatusBarOfNoProcessGivesNothing) {
  HWND parent = MakeWindow(L"ZarvikTestParent", L"x");
  HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, L"C:\\own\\path.txt", WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(bar);
  // A status bar of this very process reads like any other.
  EXPECT_EQ(ReadStatusBarText(bar), u"C:\\own\\path.txt");
  DestroyWindow(parent);
  // Its handle now names no window and no process to open.
  const DWORD handles = OwnHandleCount();
  EXPECT_EQ(ReadStatusBarText(bar), u"");
  EXPECT_EQ(ReadStatusBarText(nullptr), u"");
  EXPECT_EQ(OwnHandleCount(), handles);
}

TEST(SearchWindow, ChildSearchGoesBeyond500WindowsButStaysBounded) {
  HWND parent = MakeWindow(L"ZarvikTestParent", L"many");
  ASSERT_TRUE(parent);
  for (int i = 0; i < 700; ++i) MakeWindow(L"ZarvikTestFiller", L"", parent);
  HWND late = MakeWindow(L"Zarvik_Late_Class", L"", parent);
  EXPECT_EQ(FindChildWindowByClass(parent, u"ZARVIK_LATE_CLASS"), late);
  // Past its bound the search gives up instead of reading every class name.
  EXPECT_EQ(FindChildWindowByClass(parent, u"ZARVIK_LATE_CLASS", 700), nullptr);
  EXPECT_EQ(FindChildWindowByClass(parent, u"ZARVIK_LATE_CLASS", 701), late);
  DestroyWindow(parent);
}

}  // namespace
}  // namespace zk
