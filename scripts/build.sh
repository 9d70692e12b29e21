#!/usr/bin/env bash
# Configures and builds the given targets (default: all three) under build/.
#   native  portable core and its tests, with sanitizers
#   win64   zarvik.exe, the Windows tests and the stand-ins (x86_64)
#   win32   zarvik.exe for i686 (built, not run: this machine cannot run it)
# ZARVIK_BUILD_DIR moves the build folders (default: build/ in the checkout).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deps=${ZARVIK_DEPS:-/var/cache/zarvik-deps}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(native win64 win32)
jobs=$(nproc)
# A compiler cache, when the machine has one, lets several build folders of one
# checkout share their objects.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
fi

for t in "${targets[@]}"; do
  case $t in
    native) args=() ;;
    win64) args=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-x86_64-w64-mingw32.cmake" -DZARVIK_DEPS="$deps") ;;
    win32) args=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-i686-w64-mingw32.cmake" -DZARVIK_DEPS="$deps" -DZARVIK_TESTS=OFF) ;;
    *) echo "build.sh: unknown target $t" >&2; exit 2 ;;
  esac
  b="${ZARVIK_BUILD_DIR:-$here/build}/$t"
  if [ ! -f "$b/build.ninja" ]; then
    cmake -S "$here" -B "$b" -G Ninja "${args[@]}" "${launcher[@]}" >/dev/null
  fi
  echo "== build $t"
  cmake --build "$b" -j "$jobs"
done
