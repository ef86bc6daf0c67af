#!/usr/bin/env bash
# make-page.sh SCDOC SOURCE VERSION CHANGELOG PAGE: a manual page from its scdoc source (@VERSION@
# replaced), compressed as Debian wants it. The page is dated by the package's latest changelog
# entry, and gzip stores no name or time, so that every build of a version makes the same page.
set -euo pipefail
scdoc=$1 source=$2 version=$3 changelog=$4 page=$5
released=$(sed -n 's/^ -- .*>  //p' "$changelog" | head -n 1)
SOURCE_DATE_EPOCH=$(date -d "$released" +%s)
export SOURCE_DATE_EPOCH
mkdir -p "$(dirname "$page")"
sed "s/@VERSION@/$version/g" "$source" | "$scdoc" >"$page.roff"
gzip -9nc "$page.roff" >"$page"
rm -f "$page.roff"
