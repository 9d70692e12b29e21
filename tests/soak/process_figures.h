// Resource figures of another process, each from the system's own answer
// where it gives one, else from a second source that says the same thing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zk::soak {

struct Figure {
  std::optional<int64_t> value;  // empty: not answered by this system
  std::wstring source;           // where the value came from
};

struct ProcessFigures {
  Figure handles;        // kernel handles
  Figure gdi_objects;
  Figure user_objects;
  Figure windows;        // top-level and child windows of the process
  Figure private_bytes;  // committed memory of its own
};

// `process` needs PROCESS_QUERY_INFORMATION | PROCESS_VM_READ.
ProcessFigures MeasureProcess(HANDLE process, DWORD pid);

// One line of the report: what is counted, its figure in each process, and
// how far it may grow between the two measurements.
struct Limit {
  const wchar_t* name;
  Figure ProcessFigures::*figure;
  int64_t bound;
};
const std::vector<Limit>& Limits();

}  // namespace zk::soak
