#!/usr/bin/env bash
# Builds both Windows targets from scratch in release mode and writes the release
# archives:
#   dist/zarvik-<version>-win64.zip and dist/zarvik-<version>-win32.zip
# The sources must be committed (a release is made from what the history holds);
# --allow-dirty builds the working tree as it is. ZARVIK_RELEASE_DIR moves the
# build folders (default: build/release), ZARVIK_DIST_DIR the archives (default: dist).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
allow_dirty=0
[ "${1:-}" = "--allow-dirty" ] && allow_dirty=1

if [ $allow_dirty = 0 ] && [ -n "$(git -C "$here" status --porcelain --untracked-files=no 2>/dev/null)" ]; then
  echo "release.sh: uncommitted changes; commit them or pass --allow-dirty" >&2
  exit 1
fi

"$here/scripts/setup.sh"

deps=${ZARVIK_DEPS:-/var/cache/zarvik-deps}
builds=${ZARVIK_RELEASE_DIR:-$here/build/release}
dist=${ZARVIK_DIST_DIR:-$here/dist}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
fi

for target in win64 win32; do
  case $target in
    win64) triplet=x86_64-w64-mingw32 ;;
    win32) triplet=i686-w64-mingw32 ;;
  esac
  b="$builds/$target"
  # Nothing of an earlier configuration may leak into a release.
  rm -rf "$b"
  echo "== release build $target"
  cmake -S "$here" -B "$b" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARVIK_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-$triplet.cmake" -DZARVIK_DEPS="$deps" "${launcher[@]}" >/dev/null
  cmake --build "$b" -j "$(nproc)" --target zarvik
  "$here/scripts/package.sh" "$b" "$target" "$dist"
done
