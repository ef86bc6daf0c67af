#!/usr/bin/env bash
# Builds the benchmark corpus in OUTDIR from files that every Debian system carries: texts (licences,
# copyright notes, changelogs), man pages as roff source, package data, executables, shared
# libraries, C++ headers, a Windows DLL (from the Wine or MinGW packages the Windows build installs),
# time-zone tables, already-compressed data and random bytes from a fixed key. The choice is fixed
# (sorted lists, fixed caps), so the corpus is the same on the same system; it is never committed.
# At least 30 MB in all.
set -eu

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi
out=$1
mkdir -p "$out"
export LC_ALL=C

# Files made by an earlier run go first, so that a renamed entry cannot linger.
if [ -f "$out/.manifest" ]; then
  while read -r _ _ name; do
    if [ -n "$name" ]; then rm -f -- "$out/$name"; fi
  done < "$out/.manifest"
  rm -f -- "$out/.manifest"
fi

mb=1000000

# A NUL-separated, sorted list of what `find` gives.
sorted() { find "$@" -print0 | sort -z; }

# capped NAME LIMIT: standard input, cut at LIMIT bytes.
capped() { head -c "$2" > "$out/$1"; }

# The first of the given paths that exists, symbolic links resolved.
first_of() {
  for candidate in "$@"; do
    if [ -e "$candidate" ]; then
      readlink -f "$candidate"
      return 0
    fi
  done
  return 1
}

copy_first_of() {
  local name=$1
  shift
  local source
  if source=$(first_of "$@"); then
    cp "$source" "$out/$name"
  else
    echo "make-corpus: none of $* found, $name left out" >&2
  fi
}

# Texts. The producers may be cut short by head, so their exit status is not checked.
cat /usr/share/common-licenses/* | capped licenses.txt $((4 * mb)) || true
sorted /usr/share/doc -mindepth 2 -maxdepth 2 -name copyright -type f |
  xargs -0 cat 2>/dev/null | capped copyrights.txt $((4 * mb)) || true
sorted /usr/share/doc -mindepth 2 -maxdepth 2 -name changelog.Debian.gz -type f |
  xargs -0 zcat 2>/dev/null | capped changelogs.txt $((4 * mb)) || true
sorted /usr/share/man/man1 -name '*.1.gz' -type f |
  xargs -0 zcat 2>/dev/null | capped man-pages.roff $((3 * mb)) || true
cp /var/lib/dpkg/status "$out/dpkg-status.txt"
sorted /usr/include/c++ -type f | xargs -0 cat 2>/dev/null | capped cxx-headers.hpp $((4 * mb)) || true

# Already compressed: gzip members one after another.
sorted /usr/share/doc -mindepth 2 -maxdepth 2 -name changelog.Debian.gz -type f |
  xargs -0 cat 2>/dev/null | capped changelogs.gz $((2 * mb)) || true

# Binary tables.
sorted /usr/share/zoneinfo -type f ! -path '*/right/*' ! -path '*/posix/*' |
  xargs -0 cat 2>/dev/null | capped zoneinfo.tzif $((2 * mb)) || true

# Executables and shared libraries.
copy_first_of perl.elf /usr/bin/perl
copy_first_of bash.elf /usr/bin/bash /bin/bash
copy_first_of libc.so.6 /usr/lib/*-linux-gnu/libc.so.6 /lib/*-linux-gnu/libc.so.6 /lib64/libc.so.6
copy_first_of libstdc++.so.6 /usr/lib/*-linux-gnu/libstdc++.so.6 /usr/lib64/libstdc++.so.6
copy_first_of ucrtbase.dll /usr/lib/*-linux-gnu/wine/x86_64-windows/ucrtbase.dll \
  /usr/lib/gcc/x86_64-w64-mingw32/*/libgomp-1.dll

# Random bytes, the same every time: AES in counter mode over zeros, with a fixed key.
openssl enc -aes-128-ctr -nosalt -K 000102030405060708090a0b0c0d0e0f -iv 0 < /dev/zero 2>/dev/null |
  capped random.bin $((2 * mb)) || true

# Empty files say nothing; drop them.
find "$out" -maxdepth 1 -type f -empty ! -name '.*' -delete

(cd "$out" && find . -maxdepth 1 -type f ! -name '.*' -printf '%f\n' | sort |
  while read -r name; do
    printf '%s %s %s\n' "$(stat -c %s "$name")" "$(sha256sum < "$name" | cut -d' ' -f1)" "$name"
  done) > "$out/.manifest.new"
total=$(awk '{ sum += $1 } END { print sum + 0 }' "$out/.manifest.new")
if [ "$total" -lt $((30 * mb)) ]; then
  echo "make-corpus: only $total bytes gathered, the corpus needs at least $((30 * mb))" >&2
  rm -f -- "$out/.manifest.new"
  exit 1
fi
mv "$out/.manifest.new" "$out/.manifest"
echo "make-corpus: $(wc -l < "$out/.manifest") files, $total bytes in $out"
