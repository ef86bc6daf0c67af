#!/usr/bin/env bash
# msi_test.sh MSI DRIVER WINE_RUN WORK PRODUCT_CODE UPGRADE_CODE
# The MSI as an administrator deploys it: a silent install into a fresh Wine prefix, checked from
# inside Windows by DRIVER (package_e2e_tests: product, uninstall entry, icon, the Start menu
# shortcut that starts the program in the documents folder, the tools beside it), a silent
# uninstall, checked again; then no file, folder or registry entry of ours may remain.
set -euo pipefail
msi=$1 driver=$2 wine_run=$3 work=$4 product=$5 upgrade=$6
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/package/support.sh
source "$here/support.sh"

[ -f "$msi" ] || fail "no $msi: make the packages first (scripts/package.sh)"

# How the installer writes a code in the registry: groups reversed, then each byte's digits swapped.
packed() {
  local hex=${1//-/} out i
  hex=${hex^^}
  out=$(rev <<<"${hex:0:8}")$(rev <<<"${hex:8:4}")$(rev <<<"${hex:12:4}")
  for ((i = 16; i < 32; i += 2)); do out+=${hex:i+1:1}${hex:i:1}; done
  echo "$out"
}
# Lines of the prefix's registry that name the product.
traces() {
  wineserver -w # the registry reaches its files when Wine's server ends
  grep -i -h -e 'tassefiche' -e "$product" -e "$(packed "$product")" -e "$(packed "$upgrade")" \
    "$WINEPREFIX"/*.reg || true
}
files() { (cd "$WINEPREFIX/drive_c" && find . | LC_ALL=C sort); }

mkdir -p "$work"
work=$(cd "$work" && pwd)
run=$(mktemp -d "$work/essai msi.XXXXXX")
# A fresh prefix, and a home of its own: Wine links the prefix's Documents to the home's.
export WINEPREFIX=$run/prefix HOME=$run/home
mkdir -p "$HOME"
"$wine_run" cmd /c exit >/dev/null
wineserver -w
before=$(files)

windows_msi="Z:${msi//\//\\}"
"$wine_run" msiexec /i "$windows_msi" /qn || fail "msiexec /i /qn"
[ -n "$(traces)" ] || fail "the installed product left no trace in the registry"
TASSEFICHE_MSI_PHASE=installed run_driver "$wine_run" "$driver" 'InstalledByMsi.*' 2

"$wine_run" msiexec /x "$windows_msi" /qn || fail "msiexec /x /qn"
TASSEFICHE_MSI_PHASE=removed run_driver "$wine_run" "$driver" 'RemovedByMsi.*' 1
left=$(traces)
[ -z "$left" ] || fail "the registry still names the product: $left"
# The installer keeps its cache folder (C:\windows\Installer), its own, empty once ours is gone.
expect_same "files of the prefix before the install and after the uninstall" \
  "$(files | grep -v -x './windows/Installer')" "$before"

rm -rf "$run"
echo "MSI: passed"
