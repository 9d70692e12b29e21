#!/usr/bin/env bash
# Builds libjpeg-turbo, libpng and giflib, libwebp, dav1d, and libarchive with bzip2, liblzma, zstd and lz4, from
# Debian's source packages as static libraries for both Windows targets, into a cache
# outside the checkout:
#   $cache/<triplet>/{include,lib}
# Stamps per target (pictures, archives) make later runs return at once; libarchive's
# own test archives stay unpacked in $cache/src/libarchive for the archive tests.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${1:-${ZARVIK_DEPS:-/var/cache/zarvik-deps}}
targets=(x86_64-w64-mingw32 i686-w64-mingw32)
stamp_version=1
archive_stamp_version=2
webp_stamp_version=1
dav1d_stamp_version=1

all_done=1
for t in "${targets[@]}"; do
  [ "$(cat "$cache/$t/.stamp" 2>/dev/null)" = "$stamp_version" ] || all_done=0
  [ "$(cat "$cache/$t/.stamp-archive" 2>/dev/null)" = "$archive_stamp_version" ] || all_done=0
  [ "$(cat "$cache/$t/.stamp-webp" 2>/dev/null)" = "$webp_stamp_version" ] || all_done=0
  [ "$(cat "$cache/$t/.stamp-dav1d" 2>/dev/null)" = "$dav1d_stamp_version" ] || all_done=0
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
fetch_source bzip2 "$src/bzip2"
fetch_source xz-utils "$src/xz"
fetch_source libarchive "$src/libarchive"
fetch_source libzstd "$src/zstd"
fetch_source lz4 "$src/lz4"
fetch_source libwebp "$src/libwebp"
fetch_source dav1d "$src/dav1d"

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

# The archive libraries: bzip2 compiled directly, liblzma and libarchive through CMake
# with everything the stand-in archivers do not read switched off.
for t in "${targets[@]}"; do
  [ "$(cat "$cache/$t/.stamp-archive" 2>/dev/null)" = "$archive_stamp_version" ] && continue
  prefix="$cache/$t"
  tc="$here/cmake/toolchain-$t.cmake"
  b="$cache/build/$t-archive"
  rm -rf "$b"; mkdir -p "$b/bz2" "$prefix/include" "$prefix/lib"
  echo "build-deps: $t archive libraries"

  ( cd "$src/bzip2"
    for f in blocksort.c huffman.c crctable.c randtable.c compress.c decompress.c bzlib.c; do
      "$t-gcc-posix" -O2 -c "$f" -o "$b/bz2/${f%.c}.o"
    done )
  rm -f "$prefix/lib/libbz2.a"
  "$t-ar" rcs "$prefix/lib/libbz2.a" "$b/bz2"/*.o
  cp "$src/bzip2/bzlib.h" "$prefix/include/"

  cmake -S "$src/xz" -B "$b/xz" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$tc" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF >/dev/null
  cmake --build "$b/xz" -j "$jobs" --target liblzma >/dev/null
  cp "$b/xz/liblzma.a" "$prefix/lib/"
  cp -r "$src/xz/src/liblzma/api/lzma.h" "$src/xz/src/liblzma/api/lzma" "$prefix/include/"

  # zstd and lz4: their decoders and encoders compiled directly (no assembly).
  mkdir -p "$b/zstd" "$b/lz4"
  ( cd "$src/zstd/lib"
    for f in common/*.c decompress/*.c compress/*.c; do
      "$t-gcc-posix" -O2 -DZSTD_DISABLE_ASM -DZSTD_MULTITHREAD=0 -c "$f" -o "$b/zstd/$(basename "${f%.c}").o"
    done )
  rm -f "$prefix/lib/libzstd.a"
  "$t-ar" rcs "$prefix/lib/libzstd.a" "$b/zstd"/*.o
  cp "$src/zstd/lib/zstd.h" "$src/zstd/lib/zstd_errors.h" "$src/zstd/lib/zdict.h" "$prefix/include/"
  ( cd "$src/lz4/lib"
    for f in lz4.c lz4hc.c lz4frame.c xxhash.c; do
      "$t-gcc-posix" -O2 -c "$f" -o "$b/lz4/${f%.c}.o"
    done )
  rm -f "$prefix/lib/liblz4.a"
  "$t-ar" rcs "$prefix/lib/liblz4.a" "$b/lz4"/*.o
  cp "$src/lz4/lib/lz4.h" "$src/lz4/lib/lz4hc.h" "$src/lz4/lib/lz4frame.h" "$prefix/include/"

  # Its configure-time run checks cannot run for a foreign target; a failing emulator
  # answers them "no" instead of letting CMake try the executable itself.
  cmake -S "$src/libarchive" -B "$b/archive" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$tc" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=/bin/false \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF -DENABLE_TEST=OFF \
    -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_NETTLE=OFF -DENABLE_CNG=OFF \
    -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF -DENABLE_LZ4=ON -DENABLE_ZSTD=ON \
    -DZSTD_INCLUDE_DIR="$prefix/include" -DZSTD_LIBRARY="$prefix/lib/libzstd.a" \
    -DLZ4_INCLUDE_DIR="$prefix/include" -DLZ4_LIBRARY="$prefix/lib/liblz4.a" \
    -DENABLE_LZO=OFF -DENABLE_LIBB2=OFF -DENABLE_ICONV=OFF -DENABLE_ACL=OFF -DENABLE_XATTR=OFF \
    -DZLIB_INCLUDE_DIR=/usr/$t/include -DZLIB_LIBRARY=/usr/$t/lib/libz.a \
    -DBZIP2_INCLUDE_DIR="$prefix/include" -DBZIP2_LIBRARIES="$prefix/lib/libbz2.a" \
    -DLIBLZMA_INCLUDE_DIR="$prefix/include" -DLIBLZMA_LIBRARY="$prefix/lib/liblzma.a" \
    -DLIBLZMA_HAS_AUTO_DECODER=ON -DLIBLZMA_HAS_EASY_ENCODER=ON -DLIBLZMA_HAS_LZMA_PRESET=ON \
    >/dev/null
  cmake --build "$b/archive" -j "$jobs" --target archive_static >/dev/null
  cp "$b/archive/libarchive/libarchive.a" "$prefix/lib/libarchive_static.a" 2>/dev/null \
    || cp "$b/archive/libarchive/libarchive_static.a" "$prefix/lib/"
  cp "$src/libarchive/libarchive/archive.h" "$src/libarchive/libarchive/archive_entry.h" "$prefix/include/"

  rm -rf "$b"
  echo "$archive_stamp_version" > "$prefix/.stamp-archive"
done

# libwebp: the decoder and the demuxer (animation), through its own CMake.
for t in "${targets[@]}"; do
  [ "$(cat "$cache/$t/.stamp-webp" 2>/dev/null)" = "$webp_stamp_version" ] && continue
  prefix="$cache/$t"
  b="$cache/build/$t-webp"
  rm -rf "$b"
  echo "build-deps: $t libwebp"
  cmake -S "$src/libwebp" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-$t.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF -DWEBP_BUILD_GIF2WEBP=OFF \
    -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_WEBPMUX=OFF \
    -DWEBP_BUILD_EXTRAS=OFF >/dev/null
  cmake --build "$b" -j "$jobs" --target webp webpdemux >/dev/null
  cp "$b/libwebp.a" "$b/libwebpdemux.a" "$prefix/lib/"
  mkdir -p "$prefix/include/webp"
  cp "$src/libwebp/src/webp/decode.h" "$src/libwebp/src/webp/demux.h" "$src/libwebp/src/webp/mux_types.h" \
    "$src/libwebp/src/webp/types.h" "$src/libwebp/src/webp/encode.h" "$prefix/include/webp/"
  rm -rf "$b"
  echo "$webp_stamp_version" > "$prefix/.stamp-webp"
done

# dav1d (the AV1 decoder under AVIF pictures): through meson, with its assembly.
for t in "${targets[@]}"; do
  [ "$(cat "$cache/$t/.stamp-dav1d" 2>/dev/null)" = "$dav1d_stamp_version" ] && continue
  prefix="$cache/$t"
  b="$cache/build/$t-dav1d"
  rm -rf "$b"; mkdir -p "$b"
  echo "build-deps: $t dav1d"
  case $t in x86_64-*) cpu=x86_64 ;; *) cpu=x86 ;; esac
  printf '%s\n' "[binaries]" "c = '$t-gcc-posix'" "ar = '$t-ar'" "strip = '$t-strip'" "windres = '$t-windres'" \
    "[host_machine]" "system = 'windows'" "cpu_family = '$cpu'" "cpu = '$cpu'" "endian = 'little'" > "$b/cross.txt"
  ( cd "$src/dav1d" && meson setup "$b/build" --cross-file "$b/cross.txt" --buildtype release \
      -Ddefault_library=static -Denable_tools=false -Denable_tests=false -Dbitdepths=8,16 \
      --prefix "$prefix" --libdir lib >/dev/null )
  ninja -C "$b/build" >/dev/null
  ninja -C "$b/build" install >/dev/null
  rm -rf "$b"
  echo "$dav1d_stamp_version" > "$prefix/.stamp-dav1d"
done
