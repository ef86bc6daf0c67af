#!/usr/bin/env bash
# deb_lintian.sh DEB: lintian on the Debian package. An error or a warning fails the test; every tag
# that the package overrides carries its reason in usr/share/lintian/overrides/tassefiche-tools, and
# the informational tags are shown for the record.
set -euo pipefail
deb=$1
[ -f "$deb" ] || { echo "FAILED: no $deb: make the packages first (scripts/package.sh)" >&2; exit 1; }
# As root, lintian only warns that it runs as root.
lintian --fail-on error,warning --display-info --show-overrides "$deb" 2> >(grep -v 'root privileges' >&2)
echo "lintian: no error, no warning"
