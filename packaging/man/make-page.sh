#!/usr/bin/env bash
# make-page.sh SCDOC SOURCE CHANGELOG PAGE: a manual page from its scdoc source, compressed as Debian
# wants it. The page is dated by the package's latest changelog entry, and gzip stores no name or
# time, so that every build of a version makes the same page.
set -euo pipefail
scdoc=$1 source=$2 changelog=$3 page=$4
released=$(sed -n 's/^ -- .*>  //p' "$changelog" | head -n 1)
SOURCE_DATE_EPOCH=$(date -d "$released" +%s)
export SOURCE_DATE_EPOCH
mkdir -p "$(dirname "$page")"
"$scdoc" <"$source" >"$page.roff"
gzip -9nc "$page.roff" >"$page"
rm -f "$page.roff"
