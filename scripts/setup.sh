#!/usr/bin/env bash
# Installs what the build needs on a fresh Debian machine and builds the picture
# libraries for both Windows targets into a cache outside the checkout.
# Idempotent: a second run only checks and returns.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${ZARVIK_DEPS:-/var/cache/zarvik-deps}
export DEBIAN_FRONTEND=noninteractive

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(
  cmake ninja-build meson g++ make pkg-config nasm dpkg-dev
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 xvfb xauth x11-apps imagemagick fonts-ipafont-gothic locales
  libz-mingw-w64-dev zlib1g-dev libjpeg62-turbo-dev libpng-dev libgif-dev
  libarchive-dev libzstd-dev liblz4-dev liblzma-dev libbz2-dev libwebp-dev webp libdav1d-dev libavif-bin
  googletest libbenchmark-dev
  python3 zip unzip 7zip gcab libarchive-tools libimage-exiftool-perl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A Japanese locale gives Wine the ANSI code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  as_root sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

"$here/scripts/build-deps.sh" "$cache"
