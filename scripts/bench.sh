#!/usr/bin/env bash
# Builds and runs every benchmark under Wine; each prints its figures.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$TESSARY_ROOT/scripts/install-deps.sh"
"$TESSARY_ROOT/scripts/build.sh" benchmarks
"$TESSARY_ROOT/scripts/make-prefix.sh"
# The print benchmark finds the tests' printer description through the build folder.
export TESSARY_BUILD=$BUILD_DIR
for exe in "$BUILD_DIR"/bench/bench_*.exe; do
  [ -e "$exe" ] || continue
  echo "== $(basename "$exe")"
  "$TESSARY_ROOT/scripts/wine-exec.sh" "$exe"
done
