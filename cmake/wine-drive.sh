#!/usr/bin/env bash
# Gives the build's Wine prefix a drive LETTER that leads to a Unix FOLDER, which need not exist: a
# drive without its medium until the folder appears.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: wine-drive.sh LETTER FOLDER" >&2; exit 2; }
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
link=$WINEPREFIX/dosdevices/${1,,}:
[ "$(readlink "$link" || true)" = "$2" ] && exit 0
ln -sfn "$2" "$link"
# Wine learns its drives when it starts: a kept-up Wine (cmake/wine-session.sh) starts again.
if [ -n "${TASSEFICHE_WINE_SESSION:-}" ]; then
  wineserver -k || true
  wineserver -w
  keep_wine_up
fi
