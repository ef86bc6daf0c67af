#!/usr/bin/env bash
# Runs a command (a test run) with the build's Wine prefix kept up for its whole length. Without it
# Wine's server and its services start for every test and linger after it, holding the test's output
# open: about three seconds a test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
export TASSEFICHE_WINE_SESSION=1
trap 'wineserver -k' EXIT
keep_wine_up
"$@"
