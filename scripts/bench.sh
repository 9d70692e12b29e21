#!/usr/bin/env bash
# Builds the benchmarks natively (optimised, without sanitizers) and runs every
# bench_* program; arguments go to each program (e.g. --benchmark_filter=Detect).
# ZARVIK_BUILD_DIR moves the build folder as for build.sh.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
b="${ZARVIK_BUILD_DIR:-$here/build}/bench"
if [ ! -f "$b/build.ninja" ]; then
  cmake -S "$here" -B "$b" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARVIK_SANITIZE=OFF \
    -DZARVIK_BENCH=ON -DZARVIK_TESTS=OFF >/dev/null
fi
cmake --build "$b" -j "$(nproc)"
status=0
for p in "$b"/bench/bench_*; do
  [ -x "$p" ] || continue
  echo "== $(basename "$p")"
  "$p" "$@" || status=1
done
exit $status
