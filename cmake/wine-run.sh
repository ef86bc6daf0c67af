#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's own Wine prefix. CTest uses it as
# the emulator of the Windows build; it needs an X display (scripts/test.sh provides one with
# xvfb-run).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
# Wine reports on stderr that the Unix root (drive Z:) has no volume label; that is no output of ours.
exec wine "$@" 2> >(grep -v --line-buffered 'FS volume label and serial are not available' >&2)
