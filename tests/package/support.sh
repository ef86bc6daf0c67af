# shellcheck shell=bash
# What the package tests share (sourced).

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# expect_same WHAT ACTUAL EXPECTED: the two texts, line for line.
expect_same() {
  if [ "$2" != "$3" ]; then
    echo "FAILED: $1 differ (< found, > expected):" >&2
    diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") >&2 || true
    exit 1
  fi
}

# run_driver WINE_RUN DRIVER FILTER COUNT: runs the Windows side of a package test under Wine; it
# must run COUNT tests and pass them all (a skipped test means that it did not get its folders).
run_driver() {
  local wine_run=$1 driver=$2 filter=$3 count=$4 log
  log=$(mktemp)
  if ! "$wine_run" "$driver" --gtest_filter="$filter" 2>&1 | tee "$log"; then
    rm -f "$log"
    fail "$filter"
  fi
  if grep -q 'SKIPPED' "$log" || ! grep -q "PASSED  \] $count test" "$log"; then
    rm -f "$log"
    fail "$filter: $count tests were to run and pass"
  fi
  rm -f "$log"
}
