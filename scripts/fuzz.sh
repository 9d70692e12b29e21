#!/usr/bin/env bash
# Builds the fuzz harnesses (fuzz/) with clang and libFuzzer, then runs each
# for the given seconds (default 60), one after another, starting from its
# seed corpus (fuzz/corpus/<harness>) and regression inputs. The inputs the
# fuzzer adds stay in the build folder (fuzz/corpus/<harness> there); a crash
# leaves its input in the build folder's artifacts/. Prints executions and
# coverage per harness; non-zero when any harness found something.
#   scripts/fuzz.sh [seconds] [harness...]
# ZARVIK_BUILD_DIR moves the build folder (default: build/ in the checkout).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
shift || true

if ! command -v clang++ >/dev/null; then
  echo "== installing clang"
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q clang
fi

b="${ZARVIK_BUILD_DIR:-$here/build}/fuzz"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
fi
if [ ! -f "$b/build.ninja" ]; then
  cmake -S "$here" -B "$b" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZARVIK_FUZZ=ON -DZARVIK_TESTS=OFF "${launcher[@]}" >/dev/null
fi
echo "== build fuzz harnesses"
cmake --build "$b" -j "$(nproc)"

harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for program in "$b"/fuzz/fuzz_*; do harnesses+=("${program##*/fuzz_}"); done
fi

mkdir -p "$b/artifacts" "$b/logs"
summary=()
failed=0
for h in "${harnesses[@]}"; do
  echo "== fuzz $h for ${seconds}s"
  corpus="$b/corpus/$h"
  mkdir -p "$corpus"
  seeds=("$here/fuzz/corpus/$h")
  [ -d "$here/fuzz/regressions/$h" ] && seeds+=("$here/fuzz/regressions/$h")
  log="$b/logs/$h.log"
  status=ok
  # -timeout catches hangs; the first folder receives the new inputs.
  if ! "$b/fuzz/fuzz_$h" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
      -artifact_prefix="$b/artifacts/$h-" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    status=FOUND
    failed=1
    tail -n 40 "$log"
  fi
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo "?")
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo "?")
  summary+=("$(printf '%-18s %6ss %12s execs %6s cov %7s ft  %s' "$h" "$seconds" "$execs" "$cov" "$ft" "$status")")
done

echo "== fuzz summary (coverage in edges, ft = features)"
printf '%s\n' "${summary[@]}"
exit "$failed"
