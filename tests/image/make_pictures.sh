#!/usr/bin/env bash
# Pictures made by real tools for the picture tests: JPEGs with each EXIF
# orientation 1-8, set by exiftool on one 24 x 16 photo (left half red, right
# half blue) made by ImageMagick; a 7 x 5 TIFF and an 8 x 4 DDS by ImageMagick
# for the system's decoders; WebP pictures by cwebp and img2webp: a 9 x 7
# still, the same with orientation 6, a transparent 6 x 4 one and a 5 x 5
# animation of red, green and blue frames.
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
/usr/bin/convert -size 9x7 xc:red "$out/still.png"
cwebp -quiet -lossless "$out/still.png" -o "$out/still.webp"
cp "$out/still.webp" "$out/turned.webp"
exiftool -q -n -Orientation=6 -overwrite_original "$out/turned.webp"
/usr/bin/convert -size 6x4 xc:"rgba(0,0,255,0)" "$out/clear.png"
cwebp -quiet -lossless -exact "$out/clear.png" -o "$out/alpha.webp"
for c in red lime blue; do /usr/bin/convert -size 5x5 xc:$c "$out/frame-$c.png"; done
img2webp -loop 0 -lossless -d 100 "$out/frame-red.png" "$out/frame-lime.png" "$out/frame-blue.png" -o "$out/animated.webp" >/dev/null
rm "$out"/*.png
