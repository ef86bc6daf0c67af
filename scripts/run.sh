#!/usr/bin/env bash
# Builds the Windows program with its two tools beside it and starts it under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tassefiche COMPRESS EXPAND
bin=$PWD/build/windows/bin
echo "Starting $bin/Tassefiche.exe"
cd "$bin"
if [ -n "${DISPLAY:-}" ]; then
  exec "$OLDPWD/cmake/wine-run.sh" Tassefiche.exe
else
  echo "(no X display: running inside a virtual one with xvfb-run)"
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$OLDPWD/cmake/wine-run.sh" Tassefiche.exe
fi
