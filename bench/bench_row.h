// Lines that scripts/bench.sh gathers into its one table at the end:
//   @row   name  value  unit         a figure of this program
//   @peer  name  label  value        what another program takes for the same work
// Tab-separated; the name ties a peer figure to its row.
#pragma once

#include <cstdio>

namespace zk::bench {

inline void PrintRow(const char* name, double value, const char* unit) {
  std::printf("@row\t%s\t%.4g\t%s\n", name, value, unit);
  std::fflush(stdout);
}

inline void PrintPeer(const char* name, const char* label, double value) {
  std::printf("@peer\t%s\t%s\t%.4g\n", name, label, value);
  std::fflush(stdout);
}

}  // namespace zk::bench
