#!/usr/bin/env bash
# Makes the folders of many files that the window benchmark opens (1,000, 10,000 and 100,000 empty
# files), from the Unix side, where making them is quick.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: make-folders.sh FOLDER" >&2; exit 2; }
for count in 1000 10000 100000; do
  folder="$1/$count"
  [ -f "$folder/.made" ] && continue
  rm -rf "$folder"
  mkdir -p "$folder"
  (cd "$folder" && seq 0 $((count - 1)) | sed 's/^/Rapport annuel /; s/$/.txt/' | xargs -d '\n' touch)
  touch "$folder/.made"
done
