#!/usr/bin/env bash
# The soak run: builds zarvik.exe with its stand-ins and runs the soak program
# under Wine in a virtual X server. The stand-in search window steps through a
# folder of mixed files (the samples and more) for the given number of rounds
# (default 1000; a round takes a few seconds) while zarvik.exe follows; the
# resource figures of both after the first and the last round are printed, and
# the exit code is non-zero when one grew past its bound.
#   scripts/soak.sh [rounds] [--per-row]
# ZARVIK_BUILD_DIR moves the build folder as for build.sh.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
rounds=${1:-1000}
shift || true
"$here/scripts/setup.sh"
"$here/scripts/build.sh" win64
build="${ZARVIK_BUILD_DIR:-$here/build}/win64"
export ZARVIK_WINEPREFIX="$build/wineprefix"
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$here/scripts/wine-run.sh" "$build/bin/zarvik_soak.exe" \
  --rounds "$rounds" --samples "Z:$here/samples" "$@"
