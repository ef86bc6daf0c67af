#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests (plain and under sanitizers), the fuzzers
# briefly, the Windows build's tests under Wine in a virtual X display, then the three packages,
# installed and used as a user would (the Windows ones under Wine).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh

# Each step says when it starts, in seconds since the start, so that slow steps show.
step() { printf '\n== %s (at %d s) ==\n' "$*" "$SECONDS"; }

step "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "sanitizers (address, undefined)"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan
ctest --preset native-asan

step "fuzzers, briefly"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
bash scripts/fuzz.sh "${FUZZ_SECONDS:-8}"

step "Windows build and tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
xvfb-run -a -s "-screen 0 1280x1024x24" bash cmake/wine-session.sh ctest --preset windows

step "packages: the ZIP and the MSI under Wine, the Debian package"
bash scripts/package.sh
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset windows-packages
ctest --preset deb

step "all tests passed"
