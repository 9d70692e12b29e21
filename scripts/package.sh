#!/usr/bin/env bash
# Packs one built target into a release archive:
#   scripts/package.sh <build folder of the target> <win64|win32> <output folder>
# writes <output folder>/zarvik-<version>-<target>.zip with zarvik.exe, README.txt
# (Japanese and English) and the licence texts of the libraries linked into it.
# The licence texts come from the dependency sources scripts/build-deps.sh unpacked
# and from the mingw-w64 packages the program is linked against.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ $# = 3 ] || { echo "usage: package.sh <build folder> <win64|win32> <output folder>" >&2; exit 2; }
build=$1 target=$2 out=$3
deps=${ZARVIK_DEPS:-/var/cache/zarvik-deps}
version=$(head -n1 "$here/VERSION")

case $target in
  win64) bits=64 triplet=x86_64-w64-mingw32 plugin_ext="*.sph" mingw_doc=mingw-w64-x86-64-dev
         note_ja="64 ビット版は 64 ビットのプラグイン(*.sph)だけを読みます。"
         note_en="The 64-bit build reads 64-bit plug-ins (*.sph) only." ;;
  win32) bits=32 triplet=i686-w64-mingw32 plugin_ext="*.spi" mingw_doc=mingw-w64-i686-dev
         note_ja="32 ビット版は従来の 32 ビットのプラグイン(*.spi)を読みます。"
         note_en="The 32-bit build reads the classic 32-bit plug-ins (*.spi)." ;;
  *) echo "package.sh: unknown target $target" >&2; exit 2 ;;
esac

exe="$build/bin/zarvik.exe"
[ -f "$exe" ] || { echo "package.sh: $exe is missing; build $target first" >&2; exit 1; }

# The libraries the program links must all have their licence text below; a
# library not listed here stops the release.
link_line=$(grep -A3 '^build bin/zarvik.exe' "$build/build.ninja" | grep -m1 'LINK_LIBRARIES' || true)
for lib in $(grep -o 'lib[a-z0-9_]*\.a' <<<"$link_line" | sort -u); do
  case $lib in
    libjpeg.a|libpng16.a|libgif.a|libarchive_static.a|libbz2.a|liblzma.a|libzstd.a|liblz4.a|libwebp.a|libwebpdemux.a|libdav1d.a|libzarvik_win.a|libzarvik_core.a) ;;
    *) echo "package.sh: zarvik.exe links $lib, whose licence is not packed" >&2; exit 1 ;;
  esac
done

src="$deps/src"
licences=(
  "libjpeg-turbo.txt:$src/libjpeg-turbo/LICENSE.md"
  "libjpeg-turbo-ijg.txt:$src/libjpeg-turbo/README.ijg"
  "libpng.txt:$src/libpng/LICENSE"
  "giflib.txt:$src/giflib/COPYING"
  "libarchive.txt:$src/libarchive/COPYING"
  "bzip2.txt:$src/bzip2/LICENSE"
  "xz-liblzma.txt:$src/xz/COPYING"
  "zstd.txt:$src/zstd/LICENSE"
  "lz4.txt:$src/lz4/lib/LICENSE"
  "libwebp.txt:$src/libwebp/COPYING"
  "dav1d.txt:$src/dav1d/COPYING"
  "zlib.txt:/usr/share/doc/libz-mingw-w64-dev/copyright"
  "mingw-w64-runtime.txt:/usr/share/doc/$mingw_doc/copyright"
)

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/licenses"
# Debugging information stays in the build folder.
"$triplet-strip" -o "$stage/zarvik.exe" "$exe"
for entry in "${licences[@]}"; do
  name=${entry%%:*} file=${entry#*:}
  [ -f "$file" ] || { echo "package.sh: licence text $file is missing (run scripts/build-deps.sh)" >&2; exit 1; }
  # Windows line ends, so that any editor there shows the lines.
  sed 's/\r$//; s/$/\r/' "$file" >"$stage/licenses/$name"
done
# UTF-8 with a byte-order mark: Notepad then reads the Japanese part on any system.
{
  printf '\xef\xbb\xbf'
  sed -e "s/@VERSION@/$version/g" -e "s/@ARCH@/$target/g" -e "s/@BITS@/$bits/g" \
      -e "s/@PLUGIN_EXT@/$plugin_ext/g" -e "s/@PLUGIN_NOTE_JA@/$note_ja/g" -e "s/@PLUGIN_NOTE_EN@/$note_en/g" \
      -e 's/$/\r/' "$here/packaging/README.txt"
} >"$stage/README.txt"

mkdir -p "$out"
zip_name="$(cd "$out" && pwd)/zarvik-$version-$target.zip"
rm -f "$zip_name"
# Fixed times, so that the same build gives the same archive.
find "$stage" -exec touch -d "@$(git -C "$here" log -1 --format=%ct 2>/dev/null || echo 0)" {} +
(cd "$stage" && zip -q -X -r "$zip_name" zarvik.exe README.txt licenses)
echo "$zip_name"
