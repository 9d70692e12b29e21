#!/usr/bin/env bash
# Sets up the machine, builds zarvik.exe and starts it under Wine.
# Without a display it runs inside a virtual X server for a while
# (ZARVIK_RUN_SECONDS, default 15), writes a screenshot to
# build/screenshot.png and ends.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh" win64

export ZARVIK_WINEPREFIX="$here/build/win64/wineprefix"
exe="$here/build/win64/bin/zarvik.exe"

if [ -n "${DISPLAY:-}" ]; then
  exec "$here/scripts/wine-run.sh" "$exe" "$@"
fi

seconds=${ZARVIK_RUN_SECONDS:-15}
shot="$here/build/screenshot.png"
echo "No display: running in a virtual X server for ${seconds}s; screenshot: $shot"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" "$2" "${@:5}" &
  sleep "$3"
  import -window root "$4" || true
  WINEPREFIX="$ZARVIK_WINEPREFIX" /usr/lib/wine/wineserver -k || true
  wait || true
' run "$here/scripts/wine-run.sh" "$exe" "$seconds" "$shot" "$@"
echo "Screenshot written: $shot"
