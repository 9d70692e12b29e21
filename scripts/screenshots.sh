#!/usr/bin/env bash
# Screenshots of the main window's views and of its dialogs for the README, at
# 100% and 200% scale, from the demonstration samples: the stand-in search window
# selects one sample and zarvik.exe shows it.
#   scripts/screenshots.sh [view...]
#   (default: text picture animation binary archive settings about)
# Views and the sample each one shows:
#   text       samples/text_utf8.txt (text with a link)
#   picture    samples/picture.jpg (fitted to the window)
#   animation  samples/animation.gif (a frame of the animated GIF)
#   binary     search_window_peer.exe of the build (the binary summary)
#   archive    samples/archive.zip (the member list)
#   settings   the settings dialog, opened with Ctrl+O over the text sample
#   about      the About box, opened from the toolbar's menu (a right click on it)
# The dialogs are opened with xdotool's keys and mouse, as a user opens them.
# Writes docs/screenshots/<view>-<scale>.png. ZARVIK_SCALES overrides the scales
# (default "100 200"); each scale has a Wine prefix of its own whose LogPixels is
# set to 96 times the scale.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${ZARVIK_BUILD_DIR:-$here/build}"
bin="$build/win64/bin"
out="$here/docs/screenshots"
work="$build/screenshots"
scales=(${ZARVIK_SCALES:-100 200})
views=("$@")
[ ${#views[@]} -gt 0 ] || views=(text picture animation binary archive settings about)

[ -f "$bin/zarvik.exe" ] || { echo "screenshots.sh: build win64 first" >&2; exit 1; }
sample_of() {
  case $1 in
    text) echo "$here/samples/text_utf8.txt" ;;
    picture) echo "$here/samples/picture.jpg" ;;
    animation) echo "$here/samples/animation.gif" ;;
    binary) echo "$bin/search_window_peer.exe" ;;
    archive) echo "$here/samples/archive.zip" ;;
    settings | about) echo "$here/samples/text_utf8.txt" ;;
    *) return 1 ;;
  esac
}
shots=()  # view=sample
for view in "${views[@]}"; do
  sample=$(sample_of "$view") || { echo "screenshots.sh: unknown view $view" >&2; exit 2; }
  shots+=("$view=$sample")
done

mkdir -p "$out" "$work"
# The viewer beside the stand-in archivers, as the demonstration runs it.
demo_bin="$work/bin"
mkdir -p "$demo_bin"
cp "$bin/zarvik.exe" "$demo_bin/"
cp "$bin"/archivers/*.[dD][lL][lL] "$demo_bin/"
for scale in "${scales[@]}"; do
  dpi=$((96 * scale / 100))
  export ZARVIK_WINEPREFIX="$work/prefix-$dpi"
  # The screen is large enough for the window at this scale (854 x 603 client area at 100%).
  width=$((1280 * scale / 100)) height=$((1024 * scale / 100))
  xvfb-run -a -s "-screen 0 ${width}x${height}x24 -dpi $dpi" bash -s -- \
    "$here" "$bin" "$work" "$out" "$scale" "$dpi" "${shots[@]}" <<'SHOTS'
set -euo pipefail
here=$1 bin=$2 work=$3 out=$4 scale=$5 dpi=$6
shift 6
wine_run="$here/scripts/wine-run.sh"
win_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
# The scale of the whole Wine desktop.
"$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
"$wine_run" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
  /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
for shot in "$@"; do
  view=${shot%%=*} sample=${shot#*=}
  settings="$work/settings-$view-$dpi"
  rm -rf "$settings"; mkdir -p "$settings"
  printf '[View]\r\nArcView=1\r\n' >"$settings/zarvik.ini"
  # The search window to the right, out of the picture; the viewer opens at 0,0.
  "$wine_run" "$bin/search_window_peer.exe" --select 0 --pos "$((1000 * scale / 100)),0,300,300" \
    "$(win_path "$sample")" >/dev/null 2>&1 &
  sleep 1
  "$wine_run" "$work/bin/zarvik.exe" "-i$(win_path "$settings")" >/dev/null 2>&1 &
  sleep 5
  # The viewer's frame: the designed window at this scale, found by its caption
  # (the program's name, or the archive's path while a member list is shown).
  geometry=$(xwininfo -root -tree | grep -m1 -e ' - Zarvik"' -e "$(basename "$sample")\"" |
    grep -o '[0-9]*x[0-9]*+[0-9]*+[0-9]*' | head -n1)
  # A dialog is opened over the viewer and pictured instead of it.
  dialog=
  if [ "$view" = settings ] || [ "$view" = about ]; then
    IFS='x+' read -r w h x y <<<"$geometry"
    if [ "$view" = settings ]; then
      dialog=ZKOptionsForm
      xdotool mousemove "$((x + w / 2))" "$((y + h / 2))" click 1
      sleep 1
      xdotool key ctrl+o
    else
      # Past the first button of the toolbar; the menu's last item is the About box.
      dialog=ZKAboutForm
      xdotool mousemove "$((x + 600 * scale / 100))" "$((y + 21 * scale / 100))" click 3
      sleep 1
      xdotool key Up Return
    fi
    sleep 3
    geometry=$(xwininfo -root -tree | grep -m1 -e "\"$dialog\"" | grep -o '[0-9]*x[0-9]*+[0-9]*+[0-9]*' | head -n1)
  fi
  import -window root -crop "$geometry" +repage "$out/$view-$scale.png"
  echo "$out/$view-$scale.png ($geometry)"
  [ -z "$dialog" ] || { xdotool key Escape; sleep 1; }
  "$wine_run" "$bin/post_close.exe" --wait 20 TZKMainForm EVERYTHING >/dev/null 2>&1 || true
  wait || true
done
SHOTS
  WINEPREFIX="$ZARVIK_WINEPREFIX" /usr/lib/wine/wineserver -w || true
done
