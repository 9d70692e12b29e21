#!/usr/bin/env bash
# Pictures made by real tools for the picture tests: JPEGs with each EXIF
# orientation 1-8, set by exiftool on one 24 x 16 photo (left half red, right
# half blue) made by ImageMagick; a 7 x 5 TIFF and an 8 x 4 DDS by ImageMagick
# for the system's decoders.
# Usage: make_pictures.sh <output folder>
set -euo pipefail
out=$1
mkdir -p "$out"
/usr/bin/convert -size 12x16 xc:red -size 12x16 xc:blue +append -quality 95 "$out/photo.jpg"
for o in 1 2 3 4 5 6 7 8; do
  cp "$out/photo.jpg" "$out/orientation$o.jpg"
  exiftool -q -n -Orientation=$o -overwrite_original "$out/orientation$o.jpg"
done
rm "$out/photo.jpg"
/usr/bin/convert -size 7x5 xc:green "tiff:$out/picture.tif"
/usr/bin/convert -size 8x4 xc:blue -define dds:compression=none "dds:$out/picture.dds"
