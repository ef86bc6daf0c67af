#!/usr/bin/env bash
# msi_test.sh MSI VERSION DRIVER WINE_RUN WORK PRODUCT_CODE UPGRADE_CODE WIXL WXS ICON
# The MSI as an administrator deploys it, in a fresh Wine prefix, checked from inside Windows by
# DRIVER (package_e2e_tests): a silent install (product, uninstall entry, icon, the Start menu
# shortcut that starts the program in the documents folder, the tools beside it, the context menu's
# entry that starts it on a file, a folder or a drive), a silent uninstall that leaves no file,
# folder or registry entry of ours; then installed again and replaced by a later version built
# from the same WiX source (WXS, with WIXL), which in turn leaves nothing once removed.
set -euo pipefail
msi=$1 version=$2 driver=$3 wine_run=$4 work=$5 product=$6 upgrade=$7 wixl=$8 wxs=$9 icon=${10}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/package/support.sh
source "$here/support.sh"

[ -f "$msi" ] || fail "no $msi: make the packages first (scripts/package.sh)"

# How the installer writes a code in the registry: the first three groups reversed, then the two
# digits of each remaining byte swapped.
packed() {
  local hex=${1//-/} out='' i
  hex=${hex^^}
  for i in 7 6 5 4 3 2 1 0 11 10 9 8 15 14 13 12 17 16 19 18 21 20 23 22 25 24 27 26 29 28 31 30; do
    out+=${hex:i:1}
  done
  echo "$out"
}
later_product=$(python3 -c 'import uuid; print(str(uuid.uuid4()).upper())')
# Lines of the prefix's registry that name one of our products. Wine's own record of the desktop
# menu files it made in the test's home for our shortcut (Software\Wine\MenuFiles) is no part of
# Windows, and Wine keeps it until its menu builder runs again.
traces() {
  wineserver -w # the registry reaches its files when Wine's server ends
  grep -i -h -e 'tassefiche' -e "$product" -e "$(packed "$product")" -e "$later_product" \
    -e "$(packed "$later_product")" -e "$(packed "$upgrade")" "$WINEPREFIX"/*.reg |
    grep -v -F -e "\\\\.config\\\\menus\\\\" -e "\\\\.local\\\\share\\\\applications\\\\" || true
}
files() { (cd "$WINEPREFIX/drive_c" && find . | LC_ALL=C sort); }
windows_path() { echo "Z:${1//\//\\}"; }
install() { "$wine_run" msiexec /i "$(windows_path "$1")" /qn || fail "msiexec /i $1 /qn"; }
uninstall() { "$wine_run" msiexec /x "$(windows_path "$1")" /qn || fail "msiexec /x $1 /qn"; }
expect_nothing_left() {
  TASSEFICHE_MSI_PHASE=removed run_driver "$wine_run" "$driver" 'RemovedByMsi.*' 1
  local left
  left=$(traces)
  [ -z "$left" ] || fail "the registry still names the product: $left"
  # The installer keeps its cache folder (C:\windows\Installer), its own, empty once ours is gone.
  expect_same "files of the prefix before the install and after the uninstall" \
    "$(files | grep -v -x './windows/Installer')" "$before"
}

mkdir -p "$work"
work=$(cd "$work" && pwd)
run=$(mktemp -d "$work/essai msi.XXXXXX")
# A fresh prefix, and a home of its own: Wine links the prefix's Documents to the home's, and
# makes its desktop menu entries for the installed shortcut there.
export WINEPREFIX=$run/prefix HOME=$run/home
mkdir -p "$HOME"
"$wine_run" cmd /c exit >/dev/null
wineserver -w
before=$(files)

echo "-- installed silently, then removed silently"
install "$msi"
[ -n "$(traces)" ] || fail "the installed product left no trace in the registry"
TASSEFICHE_MSI_PHASE=installed run_driver "$wine_run" "$driver" 'InstalledByMsi.*' 3
uninstall "$msi"
expect_nothing_left

echo "-- installed again, then replaced by a later version"
install "$msi"
IFS=. read -r major minor patch <<<"$version"
later_version=$major.$minor.$((patch + 1))
later_msi=$run/Tassefiche-$later_version-win64.msi
# This wixl finds files only by paths relative to its working folder: it reads the installed ones.
(cd "$WINEPREFIX/drive_c/Program Files/Tassefiche" &&
  "$wixl" --arch x64 --define Version="$later_version" --define ProductCode="$later_product" \
    --define UpgradeCode="$upgrade" --define StageDir=. \
    --define IconFile="$(realpath --relative-to=. "$icon")" --output "$later_msi" "$wxs")
install "$later_msi"
TASSEFICHE_MSI_PHASE=upgraded TASSEFICHE_LATER_PRODUCT="{$later_product}" \
  TASSEFICHE_LATER_VERSION="$later_version" run_driver "$wine_run" "$driver" 'UpgradedByMsi.*' 1
uninstall "$later_msi"
expect_nothing_left

rm -rf "$run"
echo "MSI: passed"
