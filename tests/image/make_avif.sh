#!/usr/bin/env bash
# AVIF pictures made by avifenc, each beside the picture it was made from
# (<name>.png): 8-bit 4:2:0 in full and limited range, 10-bit 4:4:4, 12-bit
# 4:2:2, monochrome, 10-bit with alpha, premultiplied alpha, a 2 x 2 grid of
# 64 x 64 cells and a
# two-frame sequence (its first frame as the source); and a losslessly coded
# 16 x 8 picture of four coloured quarters with every turn (irot 0-3) and
# mirror (none, imir 0, imir 1), each beside the upright picture ImageMagick
# makes with the same turn.
# Usage: make_avif.sh <output folder>
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"
enc() { avifenc -j 1 -s 10 --min 1 --max 1 --minalpha 1 --maxalpha 1 "$@" >/dev/null; }

/usr/bin/convert -size 32x24 gradient:red-blue \( -size 24x32 gradient:lime-black -rotate 90 \) \
  -compose plus -composite +repage -depth 8 colour.png
for v in "yuv420 -d 8 -y 420" "limited -d 8 -y 420 -r limited" "yuv444 -d 10 -y 444" "yuv422 -d 12 -y 422"; do
  set -- $v
  name=$1; shift
  cp colour.png "$name.png"
  enc "$@" colour.png "$name.avif"
done
/usr/bin/convert -size 32x24 gradient:white-black -depth 8 mono.png
enc -y 400 mono.png mono.avif
/usr/bin/convert colour.png \( -size 32x24 gradient:white-none \) -compose copy_opacity -composite -depth 8 alpha.png
enc -d 10 -y 444 alpha.png alpha.avif
cp alpha.png premultiplied.png
enc -d 8 -y 444 -p alpha.png premultiplied.avif
# Grid cells must be at least 64 x 64.
/usr/bin/convert colour.png -resize 128x128! -depth 8 grid.png
enc -y 444 -g 2x2 grid.png grid.avif
/usr/bin/convert colour.png -negate second.png
cp colour.png sequence.png
enc -y 444 colour.png second.png sequence.avif
rm colour.png second.png

/usr/bin/convert -size 8x4 xc:red -size 8x4 xc:lime +append \( -size 8x4 xc:blue -size 8x4 xc:white +append \) \
  -append +repage -depth 8 quarters.png
for turns in 0 1 2 3; do
  for mirror in none 0 1; do
    name=turn$turns-$mirror
    args=(--irot "$turns")
    flip=()
    [ "$mirror" = 0 ] && args+=(--imir 0) && flip=(-flip)
    [ "$mirror" = 1 ] && args+=(--imir 1) && flip=(-flop)
    avifenc -j 1 -s 10 -l "${args[@]}" quarters.png "$name.avif" >/dev/null
    /usr/bin/convert quarters.png -rotate $(((360 - 90 * turns) % 360)) "${flip[@]}" +repage "$name.png"
  done
done
rm quarters.png
