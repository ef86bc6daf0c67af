#!/usr/bin/env bash
# zip_test.sh ZIP TOP DRIVER WINE_RUN WORK
# The portable ZIP as a user meets it: one folder TOP holding the shipped files, unpacked into a
# fresh folder whose path holds blanks; then, under Wine, DRIVER (package_e2e_tests) checks the
# unpacked files and starts the program from there to compress a file through its real window.
set -euo pipefail
zip=$1 top=$2 driver=$3 wine_run=$4 work=$5
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/package/support.sh
source "$here/support.sh"

[ -f "$zip" ] || fail "no $zip: make the packages first (scripts/package.sh)"

entries=$(python3 -c 'import sys, zipfile
print("\n".join(sorted(n for n in zipfile.ZipFile(sys.argv[1]).namelist() if not n.endswith("/"))))' "$zip")
expected=$(for file in COMPRESS.EXE EXPAND.EXE LICENSE.txt LISEZMOI.txt Tassefiche.exe; do
  echo "$top/$file"
done)
expect_same "entries of the ZIP" "$entries" "$expected"

mkdir -p "$work"
work=$(cd "$work" && pwd)
run=$(mktemp -d "$work/essai zip.XXXXXX")
mkdir "$run/Mes programmes" "$run/Mes documents"
python3 -m zipfile -e "$zip" "$run/Mes programmes/"

TASSEFICHE_UNPACKED="$run/Mes programmes/$top" TASSEFICHE_WORK="$run/Mes documents" \
  run_driver "$wine_run" "$driver" 'PortableZip.*' 2
rm -rf "$run"
echo "ZIP: passed"
