// Starting a program: the error when it cannot start, the process to wait for
// when it can.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/win_process.h"

namespace zk {
namespace {

TEST(ProcessStartTest, GivesTheErrorOrAProcessToWaitFor) {
  ProcessStart missing;
  missing.command_line = u"\"C:\\no such folder\\none.exe\"";
  StartedProcess failed = StartProcess(missing);
  EXPECT_FALSE(failed.started());
  EXPECT_TRUE(failed.error == ERROR_FILE_NOT_FOUND || failed.error == ERROR_PATH_NOT_FOUND) << failed.error;

  ProcessStart exit7;
  exit7.command_line = u"cmd.exe /c exit 7";
  exit7.show = SW_HIDE;
  StartedProcess started = StartProcess(exit7);
  ASSERT_TRUE(started.started()) << started.error;
  ASSERT_EQ(WaitForSingleObject(started.process.get(), 20000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(started.process.get(), &code);
  EXPECT_EQ(code, 7u);
}

}  // namespace
}  // namespace zk
