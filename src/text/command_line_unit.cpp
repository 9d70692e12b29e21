#include "text/command_line_unit.h"

#include <windows.h>

#include <vector>

#include "base/win_handles.h"
#include "base/win_process.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr DWORD kPipeSize = 8192;

struct Pipe {
  UniqueHandle read, write;
  bool Create() {
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE r = nullptr, w = nullptr;
    if (!CreatePipe(&r, &w, &sa, kPipeSize)) return false;
    read.reset(r);
    write.reset(w);
    return true;
  }
};

// Our end of a pipe must not be inherited, or the child keeps it open and
// the pipe never reports its end.
bool MakePrivate(UniqueHandle& h) {
  HANDLE dup = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), h.get(), GetCurrentProcess(), &dup, 0, FALSE, DUPLICATE_SAME_ACCESS))
    return false;
  h.reset(dup);
  return true;
}

// Reads what the pipe holds, up to one buffer; false when it holds nothing.
bool Drain(HANDLE pipe, std::string& out) {
  DWORD available = 0;
  if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0) return false;
  char buffer[kPipeSize];
  DWORD got = 0;
  if (!ReadFile(pipe, buffer, std::min<DWORD>(available, sizeof(buffer)), &got, nullptr) || got == 0) return false;
  out.append(buffer, got);
  return true;
}

}  // namespace

std::optional<std::string> TCommandLineUnit::RunWithPipes(const std::u16string& command_line, const std::string& input,
                                                          unsigned time_limit_ms) {
  Pipe in, out, err;
  if (!in.Create() || !MakePrivate(in.write) || !out.Create() || !MakePrivate(out.read) || !err.Create() ||
      !MakePrivate(err.read))
    return std::nullopt;

  ProcessStart program;
  program.command_line = command_line;
  program.show = SW_HIDE;
  program.std_input = in.read.get();
  program.std_output = out.write.get();
  program.std_error = err.write.get();
  program.inheritable_process = true;
  program.creation_flags = CREATE_NEW_CONSOLE;
  StartedProcess started = StartProcess(program);
  if (!started.started()) return std::nullopt;
  const UniqueHandle process = std::move(started.process);
  // The child has its copies; ours would keep the pipes from ending.
  in.read.reset();
  out.write.reset();
  err.write.reset();

  WaitForInputIdle(process.get(), 1000);

  for (size_t at = 0; at < input.size();) {
    DWORD n = static_cast<DWORD>(std::min<size_t>(kPipeSize, input.size() - at)), done = 0;
    if (!WriteFile(in.write.get(), input.data() + at, n, &done, nullptr) || done == 0) break;
    at += done;
  }
  in.write.reset();  // the program sees the end of its input

  std::string output;
  const DWORD start = GetTickCount();
  for (;;) {
    bool got = Drain(out.read.get(), output);
    got = Drain(err.read.get(), output) || got;
    if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) break;
    if (GetTickCount() - start > time_limit_ms) break;
    // Nothing to read: wait for the program instead of spinning.
    if (!got) WaitForSingleObject(process.get(), 5);
  }
  while (Drain(out.read.get(), output)) {
  }
  while (Drain(err.read.get(), output)) {
  }
  TerminateProcess(process.get(), 0);
  return output;
}

std::u16string TCommandLineUnit::OutputToText(const std::string& output) { return WinAnsiCodec().Decode(output); }

std::u16string TCommandLineUnit::RunCommandLine(const std::u16string& command_line) {
  auto output = RunWithPipes(command_line, std::string());
  return output ? OutputToText(*output) : std::u16string();
}

}  // namespace zk
