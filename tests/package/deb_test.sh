#!/usr/bin/env bash
# deb_test.sh DEB VERSION WORK
# The Debian package of the tools as a Linux user gets it: its control fields (the dependencies
# matching the libraries the tools load), its exact contents, then installed by dpkg into a
# scratch root, where the manual pages render cleanly and the installed tools round-trip files;
# removed again, it leaves nothing.
set -euo pipefail
deb=$1 version=$2 work=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/package/support.sh
source "$here/support.sh"

[ -f "$deb" ] || fail "no $deb: make the packages first (scripts/package.sh)"
package=tassefiche-tools
doc=usr/share/doc/$package

# Control fields: the ones we set, exactly.
while IFS='|' read -r field value; do
  expect_same "field $field" "$(dpkg-deb -f "$deb" "$field")" "$value"
done <<EOF
Package|$package
Version|$version
Architecture|$(dpkg --print-architecture)
Section|utils
Priority|optional
EOF
[[ $(dpkg-deb -f "$deb" Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer field"
description=$(dpkg-deb -f "$deb" Description)
expect_same "summary" "${description%%$'\n'*}" "compress and expand SZDD and KWAJ files"

# Contents: each path with its mode and owner, nothing more (the archive's root aside).
contents=$(dpkg-deb -c "$deb" | awk '$6 != "./" { print $1, $2, $6 }' | LC_ALL=C sort -k 3)
expected=$(LC_ALL=C sort -k 3 <<EOF
drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
-rwxr-xr-x root/root ./usr/bin/tassefiche-compress
-rwxr-xr-x root/root ./usr/bin/tassefiche-expand
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/doc/
drwxr-xr-x root/root ./$doc/
-rw-r--r-- root/root ./$doc/changelog.gz
-rw-r--r-- root/root ./$doc/copyright
drwxr-xr-x root/root ./usr/share/lintian/
drwxr-xr-x root/root ./usr/share/lintian/overrides/
-rw-r--r-- root/root ./usr/share/lintian/overrides/$package
drwxr-xr-x root/root ./usr/share/man/
drwxr-xr-x root/root ./usr/share/man/man1/
-rw-r--r-- root/root ./usr/share/man/man1/tassefiche-compress.1.gz
-rw-r--r-- root/root ./usr/share/man/man1/tassefiche-expand.1.gz
EOF
)
expect_same "contents (dpkg-deb -c)" "$contents" "$expected"

# Installed by dpkg into a scratch root with a database of its own (the root lacks the libraries,
# so their dependencies are forced; the tools then run with the machine's).
mkdir -p "$work"
work=$(cd "$work" && pwd)
run=$(mktemp -d "$work/deb.XXXXXX")
root=$run/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg=(dpkg --root="$root" --log=/dev/null --force-depends --force-not-root)
"${dpkg[@]}" --install "$deb" >"$run/dpkg.log" 2>&1 || { cat "$run/dpkg.log"; fail "dpkg --install"; }
expect_same "status after the install" "$(dpkg-query --root="$root" -W -f='${Status} ${Version}' "$package")" \
  "install ok installed $version"
expect_same "changelog's latest version" \
  "$(zcat "$root/$doc/changelog.gz" | sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p')" "$version"
grep -q "^Copyright (c) .* Tassefiche$" "$root/$doc/copyright" || fail "copyright notice"
grep -q "^MIT License$" "$root/$doc/copyright" || fail "licence in the copyright file"

# The dependencies are exactly the packages that ship, on this machine, the libraries that the
# tools load.
triplet=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
owners=$(for tool in "$root"/usr/bin/*; do objdump -p "$tool" | awk '/NEEDED/ { print $2 }'; done |
  sort -u | while read -r library; do
    dpkg -S "*/$triplet/$library" | head -n 1 | cut -d: -f1
  done | sort -u)
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' | sort -u)
expect_same "Depends" "$depends" "$owners"

# The manual pages: one per tool, rendered without a warning, naming the tool and its options.
for tool in tassefiche-compress tassefiche-expand; do
  page=$root/usr/share/man/man1/$tool.1.gz
  [ -f "$page" ] || fail "no manual page for $tool"
  warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$tool(1) renders with warnings: $warnings"
  text=$(MANWIDTH=80 man -E UTF-8 -l "$page" 2>/dev/null)
  for word in "$tool - " SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" "-R" "-D" "--help"; do
    grep -q -e "$word" <<<"$text" || fail "$tool(1) lacks \"$word\""
  done
done

# The installed tools round-trip files of several kinds, the names given back by -R.
data=$run/data
mkdir -p "$data/in" "$data/out" "$data/back"
: >"$data/in/VIDE.TXT"
seq 1 20000 >"$data/in/NOMBRES.TXT"
head -c 100000 /dev/urandom >"$data/in/HASARD.BIN"
cp "$root/usr/bin/tassefiche-compress" "$data/in/OUTIL"
(cd "$data/in" && "$root/usr/bin/tassefiche-compress" -R VIDE.TXT NOMBRES.TXT HASARD.BIN OUTIL ../out) >/dev/null 2>&1 ||
  fail "tassefiche-compress"
expect_same "compressed names" "$(ls "$data/out")" "$(printf '%s\n' HASARD.BI_ NOMBRES.TX_ OUTIL._ VIDE.TX_)"
"$root/usr/bin/tassefiche-expand" -R "$data/out/*" "$data/back" >/dev/null 2>&1 || fail "tassefiche-expand"
diff -r "$data/in" "$data/back" >/dev/null || fail "the files expanded differ from the originals"

# Removed, it leaves no file behind.
"${dpkg[@]}" --purge "$package" >"$run/dpkg.log" 2>&1 || { cat "$run/dpkg.log"; fail "dpkg --purge"; }
left=$(cd "$root" && find . -path ./var -prune -o ! -type d -print)
expect_same "files left after the removal" "$left" ""

rm -rf "$run"
echo "Debian package: passed"
