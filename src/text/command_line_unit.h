// Running a console program with its standard handles on pipes and collecting
// everything it prints (`TCommandLineUnit`).
#pragma once

#include <optional>
#include <string>

namespace zk {

class TCommandLineUnit {
 public:
  // What the program printed, as text in the ANSI code page; empty when it
  // cannot be started.
  static std::u16string RunCommandLine(const std::u16string& command_line);
  // Feeds input to the program and returns every byte it wrote to standard
  // output and standard error, in arrival order; nothing when the process
  // cannot be created. A program still running after `time_limit_ms` is ended
  // and what it printed so far is returned.
  static std::optional<std::string> RunWithPipes(const std::u16string& command_line, const std::string& input,
                                                 unsigned time_limit_ms = kDefaultTimeLimitMs);
  static std::u16string OutputToText(const std::string& output);

  static constexpr unsigned kDefaultTimeLimitMs = 60000;
};

}  // namespace zk
