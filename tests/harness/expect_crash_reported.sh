#!/usr/bin/env bash
# Passes only when the Wine runner fails the planted crash: a non-zero status
# and its report of the death, on a prefix made for this run and on the
# build tree's own, warm one.
# usage: expect_crash_reported.sh WINE_RUN BUILD_DIR PROGRAM
set -euo pipefail
wine_run="$1"; build="$2"; program="$3"
width=win32
case "$build" in *win64*) width=win64 ;; esac
if [ "$width" = win32 ] && ! why="$("$(dirname "$wine_run")/can-run-32bit" --why)"; then
  echo "SKIPPED: $why"
  exit 77
fi
fresh="$(mktemp -d)"
mkdir "$fresh/$width"
cleanup() {
  (. "$(dirname "$wine_run")/wine-env" "$fresh/$width" && wineserver -k 2>/dev/null) || true
  rm -rf "$fresh"
}
trap cleanup EXIT
failed=0
for tree in "$fresh/$width" "$build"; do
  status=0
  output="$(WINE_RUN_GTEST=1 "$wine_run" "$tree" "$program" 2>&1)" || status=$?
  printf '%s\n' "--- $tree: status $status" "$output"
  # The planted test must have started and never finished: a program that
  # never ran proves nothing about the runner.
  if ! grep -q '^\[ RUN      \] PlantedCrash\.' <<<"$output" ||
     grep -q '^\[       OK \] PlantedCrash\.' <<<"$output"; then
    echo "expect_crash_reported: the planted crash did not happen in $tree"
    failed=1
  elif [ "$status" -eq 0 ] || ! grep -q '^wine-run: FAILED: ' <<<"$output"; then
    echo "expect_crash_reported: the runner passed over the crash in $tree"
    failed=1
  fi
done
exit "$failed"
