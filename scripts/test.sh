#!/usr/bin/env bash
# Runs every test: the include-layer check, set-up, the three builds, the
# native core tests, then the Windows tests under Wine inside a virtual X
# server. Non-zero on any failure.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
echo "== include layers"
"$here/scripts/check_layers.sh"
"$here/scripts/setup.sh"
"$here/scripts/build.sh" native win64 win32

echo "== native tests"
ctest --test-dir "$here/build/native" --output-on-failure

echo "== Windows tests (Wine)"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$here/build/win64" --output-on-failure
