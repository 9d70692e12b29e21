// Finding companion programs and following shortcut files.
#pragma once

#include <windows.h>

#include <string>

namespace zk {

// The program by the system's search order, else by its App Paths entry;
// empty when neither knows it.
std::u16string FindProgram(const std::u16string& name);

// The target of a shortcut file when it is an existing file (folders do not
// count), as the shell spells it; empty otherwise. A file that cannot be
// loaded as a shortcut gives its own path.
std::u16string ResolveShortcut(const std::u16string& path);

// The full long path of an existing file. Throws std::runtime_error with
// "ファイルを変換できません。" when the shell cannot convert it.
std::u16string CanonicalPath(const std::u16string& path);

// Starts a command line (program and arguments, as CreateProcess reads it)
// with normal display. While it starts, folder (when given) is the current
// folder, so that the program starts there and a bare program name is also
// looked for there; the current folder is put back on every path. False when
// the program could not be started.
bool StartProgram(const std::u16string& command_line, const std::u16string& folder);

// Brings a window of another program to the top, borrowing the foreground
// thread's input for the moment. True when it worked.
bool BringToTop(HWND window);

}  // namespace zk
