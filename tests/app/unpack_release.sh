#!/usr/bin/env bash
# Packs the 64-bit release archive from this build and unpacks it into an empty
# folder for the release-package test:
#   unpack_release.sh <source folder> <win64 build folder> <folder to unpack into>
set -euo pipefail
src=$1 build=$2 dest=$3
work=$(dirname "$dest")
rm -rf "$dest" "$work/zip"
zip=$("$src/scripts/package.sh" "$build" win64 "$work/zip")
mkdir -p "$dest"
unzip -q "$zip" -d "$dest"
