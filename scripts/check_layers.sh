#!/usr/bin/env bash
# Checks the direction of the includes under src/. The folders form layers:
#   base  <-  text, image, archive, watcher, desktop  <-  app
# A file includes from its own folder and from the layers below it, never from
# a layer above it nor from another folder of the middle layer. The portable
# files (each folder's core.cmake) include no Windows header either, so that
# they stay buildable and testable natively; so do the fuzz harnesses (fuzz/).
# Inside app/ the folders form layers of their own:
#   app/model  <-  app/controls, app/shell  <-  app/dialogs  <-  app/window  <-  app/ (main.cpp)
# app/model is the portable model of the viewer: no file there includes a
# Windows header, listed in core.cmake or not; app/shell holds the ties to the
# system that the window and the dialogs share (version resources, starting
# other programs).
# Prints each offending include and exits non-zero when there is one.
set -euo pipefail
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../src" && pwd)
cd "$src"

declare -A rank=([base]=0 [text]=1 [image]=1 [archive]=1 [watcher]=1 [desktop]=1 [app]=2)
declare -A app_rank=([app/model]=0 [app/controls]=1 [app/shell]=1 [app/dialogs]=2 [app/window]=3 [app]=4)

problems=0
complain() {
  echo "src/$1: $2" >&2
  problems=$((problems + 1))
}

# Quoted includes are written from src/ ("folder/file.h").
while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  line=${rest%%:*}
  [[ $rest =~ \"([^\"]+)\" ]] || continue
  included=${BASH_REMATCH[1]}
  if [[ $included == *..* ]]; then
    complain "$file:$line" "includes \"$included\": name headers from src/"
    continue
  fi
  [[ $included == */* ]] || continue
  from=${file%%/*}
  to=${included%%/*}
  if [ "$from" = app ] && [ "$to" = app ]; then
    from_sub=$(dirname "$file")
    to_sub=$(dirname "$included")
    from_sub_rank=${app_rank[$from_sub]:--1}
    to_sub_rank=${app_rank[$to_sub]:--1}
    if [ "$from_sub_rank" -lt 0 ] || [ "$to_sub_rank" -lt 0 ]; then
      complain "$file:$line" "includes \"$included\": a folder of app/ outside its known layers"
    elif [ "$from_sub" != "$to_sub" ] && [ "$to_sub_rank" -ge "$from_sub_rank" ]; then
      complain "$file:$line" "includes \"$included\": $to_sub is not below $from_sub"
    fi
    continue
  fi
  [ "$from" = "$to" ] && continue
  from_rank=${rank[$from]:--1}
  to_rank=${rank[$to]:--1}
  if [ "$from_rank" -lt 0 ] || [ "$to_rank" -lt 0 ]; then
    complain "$file:$line" "includes \"$included\": a folder outside the known layers"
  elif [ "$to_rank" -gt "$from_rank" ]; then
    complain "$file:$line" "includes \"$included\": $to is a layer above $from"
  elif [ "$to_rank" -eq "$from_rank" ]; then
    complain "$file:$line" "includes \"$included\": $from and $to are siblings and may not include each other"
  fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' --include='*.h' --include='*.cpp' -- * |
         sed 's|^\./||')

# The portable files and the headers of the same name beside them.
core_files=()
while IFS= read -r listed; do
  core_files+=("$listed")
  header=${listed%.cpp}.h
  [ -f "$header" ] && core_files+=("$header")
done < <(grep -ohE '[A-Za-z0-9_/]+\.cpp' -- */core.cmake | sort -u)
# The viewer's portable model, every file of it.
for file in app/model/*.h app/model/*.cpp; do
  [ -f "$file" ] && core_files+=("$file")
done
# The fuzz harnesses are built natively only.
for file in ../fuzz/*.cpp ../fuzz/*.h; do
  [ -f "$file" ] && core_files+=("$file")
done

windows_headers='windows|windef|winbase|winuser|wingdi|winnls|winreg|winerror|winternl|commctrl|commdlg|shellapi|shlobj|shlwapi|shobjidl|objbase|objidl|ole2|oleauto|olectl|richedit|mmsystem|uxtheme|dwmapi|psapi|tlhelp32|wincodec|gdiplus|winsock2|ws2tcpip|imm|knownfolders|propkey|propvarutil'
for file in "${core_files[@]}"; do
  [ -f "$file" ] || { complain "$file" "listed in core.cmake but missing"; continue; }
  while IFS= read -r hit; do
    [[ $hit =~ (\<[^\>]+\>) ]]
    complain "$file:${hit%%:*}" "includes ${BASH_REMATCH[1]}: a portable file (core.cmake) takes no Windows header"
  done < <(grep -niE "^[[:space:]]*#[[:space:]]*include[[:space:]]*<($windows_headers)\.h>" -- "$file")
done

if [ "$problems" -gt 0 ]; then
  echo "check_layers: $problems include(s) break the layering" >&2
  exit 1
fi
echo "check_layers: includes follow the layers"
