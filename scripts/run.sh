#!/usr/bin/env bash
# Sets up the machine, builds zarvik.exe and shows it at work under Wine: the
# stand-in search window lists the bundled samples/ folder and zarvik.exe
# runs beside it, following the row selected there (click a row, or use the
# arrow keys in the list).
#
# Without a display both run inside a virtual X server for a while
# (ZARVIK_RUN_SECONDS, default 15) while the stand-in moves its selection
# every 2 seconds; then a screenshot is written to build/screenshot.png and
# both windows are closed the ordinary way, so that the settings are written.
#
# Arguments are passed to zarvik.exe. Its settings live in build/demo-settings;
# it runs from build/demo-bin beside the stand-in archiver DLLs, which it finds
# in its own folder as it would find the real ones, and the samples gain an
# archive link to a picture in samples/archive.zip.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh" win64

build="${ZARVIK_BUILD_DIR:-$here/build}"
export ZARVIK_WINEPREFIX="$build/win64/wineprefix"
bin="$build/win64/bin"
wine_run="$here/scripts/wine-run.sh"

# Windows sees the Unix file system as drive Z:.
win_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

# A settings folder of its own, with the viewer placed beside the stand-in.
settings="$build/demo-settings"
mkdir -p "$settings"
if [ ! -f "$settings/zarvik.ini" ]; then
  printf '[Window]\r\nTop=0\r\nLeft=430\r\nWidth=850\r\nHeight=700\r\n[View]\r\nArcView=1\r\n' >"$settings/zarvik.ini"
fi

# The program beside the stand-in archivers (the tests keep those apart).
demo_bin="$build/demo-bin"
mkdir -p "$demo_bin"
cp "$bin/zarvik.exe" "$demo_bin/"
cp "$bin"/archivers/*.[dD][lL][lL] "$demo_bin/"
# An archive link names its archive by full path: written for this checkout.
printf '%s\r\nimages\\picture.png\r\n%s\r\n' "$(win_path "$here/samples/archive.zip")" \
  "$(wc -c <"$here/samples/picture.png")" >"$here/samples/picture.ArcLink"

peer=("$bin/search_window_peer.exe" --pos 0,0,420,700)
viewer=("$demo_bin/zarvik.exe" "-i$(win_path "$settings")" "$@")
samples=$(win_path "$here/samples")

if [ -n "${DISPLAY:-}" ]; then
  "$wine_run" "${peer[@]}" "$samples" &
  peer_pid=$!
  status=0
  "$wine_run" "${viewer[@]}" || status=$?
  # The viewer has ended: the stand-in goes with it.
  "$wine_run" "$bin/post_close.exe" EVERYTHING >/dev/null 2>&1 || kill "$peer_pid" 2>/dev/null || true
  wait "$peer_pid" 2>/dev/null || true
  exit "$status"
fi

seconds=${ZARVIK_RUN_SECONDS:-15}
shot="$build/screenshot.png"
echo "No display: running in a virtual X server for ${seconds}s; screenshot: $shot"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wine_run=$1 seconds=$2 shot=$3 bin=$4 samples=$5 peer_argc=$6
  shift 6
  peer=("${@:1:$peer_argc}")
  viewer=("${@:$((peer_argc + 1))}")
  "$wine_run" "${peer[@]}" --demo 2 "$samples" &
  sleep 1
  "$wine_run" "${viewer[@]}" &
  sleep "$seconds"
  import -window root "$shot" || true
  # Closed as a user closes them: the viewer writes its settings.
  if ! "$wine_run" "$bin/post_close.exe" --wait 20 TZKMainForm EVERYTHING; then
    echo "The windows did not close; stopping Wine." >&2
    WINEPREFIX="$ZARVIK_WINEPREFIX" /usr/lib/wine/wineserver -k || true
  fi
  wait || true
' run "$wine_run" "$seconds" "$shot" "$bin" "$samples" "${#peer[@]}" "${peer[@]}" "${viewer[@]}"
echo "Screenshot written: $shot"
