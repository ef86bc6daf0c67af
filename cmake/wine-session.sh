#!/usr/bin/env bash
# Runs a command (a test run) with the build's Wine prefix kept up for its whole length. Without it
# Wine's server and its services start for every test and linger after it, holding the test's output
# open: about three seconds a test. The services are started here with no output of ours to hold.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
wineserver -p
trap 'wineserver -k' EXIT
wine cmd /c exit </dev/null >/dev/null 2>&1
"$@"
