#!/usr/bin/env bash
# Builds the benchmarks natively (optimised, without sanitizers) and runs every
# bench_* program; arguments go to each native program (e.g.
# --benchmark_filter=Detect). Then builds the Windows timing programs and runs
# them under Wine. Beside them it times other programs on the same work
# (iconv and uconv on the same texts, Pillow on the same picture, the picture
# libraries' own decoders under Wine on the same files), installing what is
# missing from the distribution, and ends with one table of all figures,
# written also as bench.json in the build folder. Figures only: nothing here
# passes or fails on a time.
# ZARVIK_BUILD_DIR moves the build folder as for build.sh.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out="${ZARVIK_BUILD_DIR:-$here/build}"
b="$out/bench"
rows="$out/bench-rows.tsv"
mkdir -p "$out"
: >"$rows"

# Installs Debian packages that are missing, without questions.
install_packages() {
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get install -y -q "$@" >/dev/null 2>&1 ||
    { "${sudo[@]}" apt-get update -q >/dev/null 2>&1 && "${sudo[@]}" apt-get install -y -q "$@" >/dev/null 2>&1; } ||
    echo "bench: could not install $*" >&2
}

# The best wall time of three runs of a command, in seconds; empty when it fails.
best_seconds() {
  local best="" t0 t1 t
  for _ in 1 2 3; do
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1 || return 0
    t1=$(date +%s%N)
    t=$(((t1 - t0) / 1000))
    [ -z "$best" ] || [ "$t" -lt "$best" ] && best=$t
  done
  awk -v us="$best" 'BEGIN { printf "%.6f\n", us / 1e6 }'
}

# iconv and uconv converting the benchmark texts to UTF-16, in MB/s.
text_peers() {
  command -v uconv >/dev/null || install_packages icu-devtools
  local samples="$b/samples" name enc file bytes s
  mkdir -p "$samples"
  "$b/bench/bench_text_encoding" --write-samples "$samples"
  for pair in sjis:CP932 euc:EUC-JP jis:ISO-2022-JP utf7:UTF-7 utf8:UTF-8 utf8bom:UTF-8 utf16le:UTF-16 \
    euc-oneline:EUC-JP utf8-oneline:UTF-8 ascii:UTF-8 utf8-latin:UTF-8; do
    name=${pair%%:*} enc=${pair#*:} file="$samples/$name.txt"
    bytes=$(stat -c %s "$file")
    for tool in iconv uconv; do
      command -v $tool >/dev/null || continue
      s=$(best_seconds $tool -f "$enc" -t UTF-16LE "$file")
      [ -n "$s" ] && printf '@peer\tdetect and decode: %s\t%s\t%s\n' "$name" $tool \
        "$(awk -v n="$bytes" -v s="$s" 'BEGIN { printf "%.4g", n / 1e6 / s }')" >>"$rows"
    done
  done
  rm -rf "$samples"
}

# Pillow reducing the same picture, in ms; with the distribution's Python, which
# its package serves.
resize_peer() {
  local py=/usr/bin/python3
  [ -x $py ] || py=python3
  $py -c 'import PIL' 2>/dev/null || install_packages python3-pil
  "$b/bench/bench_image_resize" --write-photo "$b/photo.ppm"
  $py - "$b/photo.ppm" >>"$rows" <<'PY' || echo "bench: Pillow did not run" >&2
import sys, time
from PIL import Image
im = Image.open(sys.argv[1])
im.load()
box = getattr(Image, "Resampling", Image).BOX
def best(f):
    times = []
    for _ in range(5):
        t0 = time.perf_counter()
        f()
        times.append(time.perf_counter() - t0)
    return min(times) * 1000
name = "smooth reduction 6000x4000 to 1600x1067"
print("@peer\t%s\tPillow resize(BOX)\t%.4g" % (name, best(lambda: im.resize((1600, 1067), box))))
print("@peer\t%s\tPillow reduce(4), to 1500x1000\t%.4g" % (name, best(lambda: im.reduce(4))))
PY
  rm -f "$b/photo.ppm"
}

# djpeg, dwebp, dav1d and libpng's pngpixel, built with the libraries the program uses, beside
# the Windows picture benchmark, which times them on its own files.
picture_peers() {
  local deps=${ZARVIK_DEPS:-/var/cache/zarvik-deps} t=x86_64-w64-mingw32
  if [ ! -f "$w/bench/djpeg.exe" ] && [ -d "$deps/src/libjpeg-turbo" ]; then
    cmake -S "$deps/src/libjpeg-turbo" -B "$w/libjpeg-turbo" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-$t.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$w/libjpeg-turbo/install" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
      -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >/dev/null &&
      cmake --build "$w/libjpeg-turbo" -j "$(nproc)" --target djpeg-static >/dev/null &&
      cp "$w/libjpeg-turbo/djpeg-static.exe" "$w/bench/djpeg.exe" || echo "bench: djpeg not built" >&2
  fi
  if [ ! -f "$w/bench/dwebp.exe" ] && [ -d "$deps/src/libwebp" ]; then
    cmake -S "$deps/src/libwebp" -B "$w/libwebp" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-$t.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DWEBP_BUILD_DWEBP=ON -DWEBP_BUILD_CWEBP=OFF \
      -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF \
      -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF -DWEBP_BUILD_ANIM_UTILS=OFF -DCMAKE_EXE_LINKER_FLAGS=-static >/dev/null &&
      cmake --build "$w/libwebp" --target dwebp >/dev/null &&
      cp "$w/libwebp/dwebp.exe" "$w/bench/dwebp.exe" || echo "bench: dwebp not built" >&2
  fi
  # dav1d's own tool from the same source, and the AVIF it and the program decode
  # (avifenc from a photograph-like picture: plasma clouds with fine noise).
  if [ ! -f "$w/bench/dav1d.exe" ] && [ -d "$deps/src/dav1d" ]; then
    printf '%s\n' "[binaries]" "c = '$t-gcc-posix'" "ar = '$t-ar'" "strip = '$t-strip'" "windres = '$t-windres'" \
      "[host_machine]" "system = 'windows'" "cpu_family = 'x86_64'" "cpu = 'x86_64'" "endian = 'little'" > "$w/dav1d-cross.txt"
    ( cd "$deps/src/dav1d" && meson setup "$w/dav1d" --cross-file "$w/dav1d-cross.txt" --buildtype release \
        -Ddefault_library=static -Denable_tools=true -Denable_tests=false -Dbitdepths=8,16 \
        -Dc_link_args=-static >/dev/null ) &&
      ninja -C "$w/dav1d" tools/dav1d.exe >/dev/null &&
      cp "$w/dav1d/tools/dav1d.exe" "$w/bench/dav1d.exe" || echo "bench: dav1d not built" >&2
  fi
  if [ ! -f "$w/bench/big.avif" ]; then
    /usr/bin/convert -seed 7 -size 1500x1000 plasma:fractal -resize 6000x4000! -attenuate 0.25 +noise Gaussian \
      -depth 8 "$w/big.png" &&
      avifenc -j all -s 8 --min 18 --max 28 "$w/big.png" "$w/bench/big.avif" >/dev/null || echo "bench: big.avif not made" >&2
    rm -f "$w/big.png"
  fi
  if [ ! -f "$w/bench/pngpixel.exe" ] && [ -f "$deps/src/libpng/contrib/examples/pngpixel.c" ]; then
    "$t-gcc-posix" -O2 -I"$deps/$t/include" "$deps/src/libpng/contrib/examples/pngpixel.c" -o "$w/bench/pngpixel.exe" \
      -L"$deps/$t/lib" -lpng16 -L"/usr/$t/lib" -lz -lm -static || echo "bench: pngpixel not built" >&2
  fi
}

if [ ! -f "$b/build.ninja" ]; then
  cmake -S "$here" -B "$b" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARVIK_SANITIZE=OFF \
    -DZARVIK_BENCH=ON -DZARVIK_TESTS=OFF >/dev/null
fi
cmake --build "$b" -j "$(nproc)"
status=0
for p in "$b"/bench/bench_*; do
  [ -x "$p" ] || continue
  echo "== $(basename "$p")"
  extra=()
  [ "$(basename "$p")" = bench_text_encoding ] &&
    extra=(--benchmark_out="$b/text_encoding.json" --benchmark_out_format=json)
  "$p" "$@" "${extra[@]}" | tee -a "$rows" || status=1
done
text_peers || status=1
resize_peer || status=1

# The Windows timing programs, under Wine in a virtual X server.
"$here/scripts/setup.sh"
w="$out/bench-win64"
if [ ! -f "$w/build.ninja" ]; then
  cmake -S "$here" -B "$w" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARVIK_BENCH=ON -DZARVIK_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-x86_64-w64-mingw32.cmake" \
    -DZARVIK_DEPS="${ZARVIK_DEPS:-/var/cache/zarvik-deps}" >/dev/null
fi
cmake --build "$w" -j "$(nproc)"
picture_peers
# A solid 7z by 7-Zip with a 1 MB member before one of 100 MB, for the built-in
# archive engine's rows of bench_archive_list.
if [ ! -f "$w/bench/solid.7z" ]; then
  command -v 7zz >/dev/null || install_packages 7zip
  ( t=$(mktemp -d) && cd "$t" &&
    python3 -c "
import sys
open('first.txt', 'w').write('a' * (1 << 20))
with open('big.bin', 'w') as f:
    n = 0
    while f.tell() < 100 << 20:
        f.write('line %09d of the big member, some words to compress\n' % n); n += 1
" && truncate -s $((100 << 20)) big.bin &&
    7zz a -bd -ms=on -mx=1 "$w/bench/solid.7z" first.txt big.bin >/dev/null; rm -rf "$t" ) ||
    echo "bench: solid.7z not made" >&2
fi
export ZARVIK_WINEPREFIX="$w/wineprefix"
for p in "$w"/bench/bench_*.exe; do
  [ -f "$p" ] || continue
  echo "== $(basename "$p")"
  args=()
  [ "$(basename "$p")" = bench_watch.exe ] && args=(--seconds 30)
  [ "$(basename "$p")" = bench_text_view.exe ] && args=(20 staged)
  xvfb-run -a -s "-screen 0 1280x1024x24" "$here/scripts/wine-run.sh" "$p" "${args[@]}" | tee -a "$rows" || status=1
done

echo
echo "== all figures"
python3 "$here/scripts/bench_table.py" "$rows" "$b/text_encoding.json" "$out/bench.json" || status=1
exit $status
