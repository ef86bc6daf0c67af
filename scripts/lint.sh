#!/usr/bin/env bash
# Format check of every C++ file of ours, and clang-tidy on the portable core, the codec and the text
# rules shared with the tools, over the native build's compile commands.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
[ -f build/native/compile_commands.json ] || cmake --preset native >/dev/null

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"

mapfile -t core < <(git ls-files 'src/*.cpp' 'codec/*.cpp' 'shared/*.cpp' | grep -v '^src/platform/win32/' | grep -v '^src/app/main.cpp$')
clang-tidy --quiet -p build/native "${core[@]}"
echo "lint: clean"
