#!/usr/bin/env bash
# Builds the benchmarks natively (optimised, without sanitizers) and runs every
# bench_* program; arguments go to each native program (e.g.
# --benchmark_filter=Detect). Then builds the Windows timing programs and runs
# them under Wine.
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

# The Windows timing programs, under Wine in a virtual X server.
"$here/scripts/setup.sh"
w="${ZARVIK_BUILD_DIR:-$here/build}/bench-win64"
if [ ! -f "$w/build.ninja" ]; then
  cmake -S "$here" -B "$w" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARVIK_BENCH=ON -DZARVIK_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-x86_64-w64-mingw32.cmake" \
    -DZARVIK_DEPS="${ZARVIK_DEPS:-/var/cache/zarvik-deps}" >/dev/null
fi
cmake --build "$w" -j "$(nproc)"
export ZARVIK_WINEPREFIX="$w/wineprefix"
for p in "$w"/bench/bench_*.exe; do
  [ -f "$p" ] || continue
  echo "== $(basename "$p")"
  xvfb-run -a -s "-screen 0 1280x1024x24" "$here/scripts/wine-run.sh" "$p" || status=1
done
exit $status
