// The release archive: zarvik.exe unpacked from it into an empty folder starts
// from there, follows the search window and keeps its settings beside itself.
// CTest packs and unpacks the archive first (unpack_release.sh) and names the
// folder in ZARVIK_RELEASE_FOLDER.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/message_pump.h"
#include "support/program_process.h"
#include "support/test_files.h"
#include "watcher/search_peer.h"

namespace zk {
namespace {

// The unpacked folder as a Windows path; Wine sees the Unix path under Z:.
std::wstring ReleaseFolder() {
  wchar_t buf[MAX_PATH];
  const DWORD n = GetEnvironmentVariableW(L"ZARVIK_RELEASE_FOLDER", buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::wstring path(buf, n);
  if (path[0] == L'/') {
    path = L"Z:" + path;
    for (auto& c : path)
      if (c == L'/') c = L'\\';
  }
  return path;
}

std::wstring CaptionOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

TEST(ReleasePackageTest, StartsFromTheUnpackedFolderShowsTheSelectionAndKeepsItsSettingsThere) {
  const std::wstring folder = ReleaseFolder();
  ASSERT_FALSE(folder.empty()) << "ZARVIK_RELEASE_FOLDER names no unpacked release";
  const std::u16string exe = test::TempDir::Str(folder + L"\\zarvik.exe");
  const std::u16string ini = test::TempDir::Str(folder + L"\\zarvik.ini");
  ASSERT_TRUE(test::Exists(exe));
  ASSERT_FALSE(test::Exists(ini));

  test::TempDir files;
  ASSERT_TRUE(test::WriteFileBytes(files.Child(L"release note.txt"), "unpacked and running\r\n"));
  test::SearchPeer peer({L"--select", L"0", files.path().wstring()});
  ASSERT_TRUE(peer.started());

  test::Process zarvik;
  ASSERT_TRUE(zarvik.StartProgram(folder + L"\\zarvik.exe", L"", folder));
  HWND main = test::MainWindowOf(zarvik.pi.dwProcessId, 20000);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(test::PumpUntil([&] { return CaptionOf(main).find(L"release note.txt") != std::wstring::npos; }, 20000))
      << CaptionOf(main);

  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(zarvik.Wait(20000));
  EXPECT_TRUE(test::Exists(ini));
}

}  // namespace
}  // namespace zk
