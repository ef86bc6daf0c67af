#!/usr/bin/env bash
# Gives the build's Wine prefix a drive LETTER that leads to a Unix FOLDER, which need not exist: a
# drive without its medium until the folder appears.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: wine-drive.sh LETTER FOLDER" >&2; exit 2; }
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
ln -sfn "$2" "$WINEPREFIX/dosdevices/${1,,}:"
