// Starting another program.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "base/win_handles.h"

namespace zk {

struct ProcessStart {
  // Program and arguments, as the system reads a command line; wide, so
  // that file names outside the ANSI code page reach the program intact.
  std::u16string command_line;
  // The program file itself; empty: the command line's first word, searched
  // for as the system does.
  std::u16string program;
  // While the program starts, this folder (when given) is the current one:
  // the program starts there and a bare program name is looked for there
  // too. The current folder is put back on every path.
  std::u16string folder;
  // How the program's window shows; none: as this program was started.
  std::optional<WORD> show;
  // The program's standard handles; given, they are inherited.
  HANDLE std_input = nullptr, std_output = nullptr, std_error = nullptr;
  // The handle of the new process may be inherited by further programs.
  bool inheritable_process = false;
  DWORD creation_flags = 0;
};

struct StartedProcess {
  DWORD error = ERROR_SUCCESS;  // why the program could not be started
  UniqueHandle process;         // to wait for it; closed with this
  bool started() const { return error == ERROR_SUCCESS; }
};

StartedProcess StartProcess(const ProcessStart& start);

}  // namespace zk
