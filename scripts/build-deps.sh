#!/usr/bin/env bash
# Builds libjpeg-turbo, libpng and giflib from Debian's source packages as static
# libraries for both Windows targets, into a cache outside the checkout:
#   $cache/<triplet>/{include,lib}
# A stamp per target makes later runs return at once.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${1:-${ZARVIK_DEPS:-/var/cache/zarvik-deps}}
targets=(x86_64-w64-mingw32 i686-w64-mingw32)
stamp_version=1

all_done=1
for t in "${targets[@]}"; do
  [ "$(cat "$cache/$t/.stamp" 2>/dev/null)" = "$stamp_version" ] || all_done=0
done
[ $all_done = 1 ] && exit 0

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# Source packages need deb-src entries; mirror the machine's own deb entries.
ensure_deb_src() {
  if apt-cache showsrc giflib 2>/dev/null | grep -q '^Package:'; then return; fi
  local src=/etc/apt/sources.list.d/debian.sources
  if [ -f "$src" ]; then
    sed 's/^Types: deb$/Types: deb-src/' "$src" | as_root tee /etc/apt/sources.list.d/zarvik-deb-src.sources >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | as_root tee /etc/apt/sources.list.d/zarvik-deb-src.list >/dev/null
  fi
  as_root apt-get update -qq
}

# Fetches and unpacks a source package into $src/<name>; tries each listed version
# because the archive sometimes lacks the newest one.
fetch_source() {
  local pkg=$1 dir=$2
  [ -d "$dir" ] && return
  local work; work=$(mktemp -d "$src/fetch.XXXXXX")
  local ok=0
  ( cd "$work" && apt-get source -qq --download-only "$pkg" >/dev/null 2>&1 ) && ok=1
  if [ $ok = 0 ]; then
    for v in $(apt-cache showsrc "$pkg" | awk '/^Version:/ {print $2}' | sort -rV); do
      rm -f "$work"/*
      if ( cd "$work" && apt-get source -qq --download-only "$pkg=$v" >/dev/null 2>&1 ); then ok=1; break; fi
    done
  fi
  [ $ok = 1 ] || { echo "build-deps: cannot fetch source of $pkg" >&2; exit 1; }
  ( cd "$work" && dpkg-source -x --no-check ./*.dsc unpacked >/dev/null )
  mv "$work/unpacked" "$dir"
  rm -rf "$work"
}

ensure_deb_src
src="$cache/src"
mkdir -p "$src"
fetch_source libjpeg-turbo "$src/libjpeg-turbo"
fetch_source libpng1.6 "$src/libpng"
fetch_source giflib "$src/giflib"

jobs=$(nproc)
for t in "${targets[@]}"; do
  [ "$(cat "$cache/$t/.stamp" 2>/dev/null)" = "$stamp_version" ] && continue
  prefix="$cache/$t"
  tc="$here/cmake/toolchain-$t.cmake"
  b="$cache/build/$t"
  rm -rf "$b"; mkdir -p "$b" "$prefix"
  echo "build-deps: $t"

  cmake -S "$src/libjpeg-turbo" -B "$b/jpeg" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$tc" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
    -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >/dev/null
  cmake --build "$b/jpeg" -j "$jobs" >/dev/null
  cmake --install "$b/jpeg" >/dev/null

  cmake -S "$src/libpng" -B "$b/png" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$tc" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_INCLUDE_DIR=/usr/$t/include -DZLIB_LIBRARY=/usr/$t/lib/libz.a >/dev/null
  cmake --build "$b/png" -j "$jobs" >/dev/null
  cmake --install "$b/png" >/dev/null

  mkdir -p "$b/gif"
  ( cd "$src/giflib"
    for f in dgif_lib.c egif_lib.c gifalloc.c gif_err.c gif_font.c gif_hash.c openbsd-reallocarray.c quantize.c; do
      "$t-gcc-posix" -O2 -c "$f" -o "$b/gif/${f%.c}.o"
    done )
  "$t-ar" rcs "$prefix/lib/libgif.a" "$b/gif"/*.o
  cp "$src/giflib/gif_lib.h" "$prefix/include/"

  rm -rf "$b"
  echo "$stamp_version" > "$prefix/.stamp"
done
