#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's own Wine prefix, with Wine's debug
# output silenced. CTest uses it as the emulator of the Windows build; it needs an X display
# (scripts/test.sh provides one with xvfb-run).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${WINEPREFIX:=$here/../build/windows/wineprefix}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# Wine reports on stderr that the Unix root (drive Z:) has no volume label; that is no output of ours.
exec wine "$@" 2> >(grep -v --line-buffered 'FS volume label and serial are not available' >&2)
