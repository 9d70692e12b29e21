// zarvik.exe itself: the settings file it leaves, and a second start that
// ends without touching the running copy's files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/program_process.h"
#include "support/test_files.h"

namespace zk {
namespace {

using test::MainWindowOf;
using test::Process;

TEST(ProgramTest, LeavesASettingsFileInTheFolderGivenWithI) {
  test::TempDir dir;
  Process zarvik;
  ASSERT_TRUE(zarvik.Start(L"-i" + dir.path().wstring()));
  HWND main = MainWindowOf(zarvik.pi.dwProcessId, 20000);
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(zarvik.Wait(20000));
  std::string ini = test::ReadFileBytes(dir.Child(L"zarvik.ini"));
  EXPECT_NE(ini.find("[Window]\r\nwsMaximized=0\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("MaxReadByte=20000000"), std::string::npos);
  EXPECT_NE(ini.find("[Font]"), std::string::npos);
}

TEST(ProgramTest, SecondStartEndsAndLeavesTheFirstCopyAlone) {
  test::TempDir first_dir, second_dir;
  Process first;
  ASSERT_TRUE(first.Start(L"-i" + first_dir.path().wstring()));
  HWND main = MainWindowOf(first.pi.dwProcessId, 20000);
  ASSERT_NE(main, nullptr);
  // The window exists while its start-up still runs; idle means it is done.
  WaitForInputIdle(first.pi.hProcess, 20000);

  const std::u16string work = test::TempPath() + u"zk1.tmp", marker = work + u"\\marker.txt";
  ASSERT_TRUE(test::WriteFileBytes(marker, "kept"));

  Process second;
  ASSERT_TRUE(second.Start(L"-i" + second_dir.path().wstring()));
  ASSERT_TRUE(second.Wait(20000));
  DWORD code = 1;
  GetExitCodeProcess(second.pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_FALSE(first.Wait(0));                           // still running
  EXPECT_TRUE(test::Exists(marker));                     // its work folder untouched
  EXPECT_FALSE(test::Exists(second_dir.Child(L"zarvik.ini")));  // no shut-down ran

  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(first.Wait(20000));
  EXPECT_FALSE(test::Exists(work));  // removed at exit
}

}  // namespace
}  // namespace zk
