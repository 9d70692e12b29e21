#!/usr/bin/env bash
# Runs a Windows program under Wine with the build's own prefix.
# Used as CMake's cross-compiling emulator and by the run and test scripts.
set -euo pipefail
: "${WINEPREFIX:=${ZARVIK_WINEPREFIX:-$HOME/.local/share/zarvik/wineprefix}}"
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEARCH=win64
wine=/usr/lib/wine/wine64
mkdir -p "$(dirname "$WINEPREFIX")"
# The first use creates the prefix; a lock keeps parallel tests from racing on it.
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
  fi
) 9>"$WINEPREFIX.lock"
exec "$wine" "$@"
