#!/usr/bin/env bash
# Builds and runs every benchmark under Wine; each prints its figures. The
# program benchmark drives the real program, so a private Xvfb is started when
# no display is usable. Arguments name benchmarks to run (for instance
# `program_bench`); none runs them all.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/xvfb.sh"
"$TESSARY_ROOT/scripts/install-deps.sh"
"$TESSARY_ROOT/scripts/build.sh" benchmarks
"$TESSARY_ROOT/scripts/make-prefix.sh"
start_xvfb
trap stop_xvfb EXIT
# The program and print benchmarks find tessary.exe and the tests' printer
# description through the build folder, as the program tests do.
export TESSARY_BUILD=$BUILD_DIR
names=("$@")
[ ${#names[@]} -gt 0 ] || names=($(cd "$BUILD_DIR/bench" && ls bench_*.exe | sed 's/^bench_//; s/\.exe$//'))
for name in "${names[@]}"; do
  exe=$BUILD_DIR/bench/bench_$name.exe
  [ -e "$exe" ] || { echo "no benchmark $name" >&2; exit 1; }
  echo "== $name"
  "$TESSARY_ROOT/scripts/wine-exec.sh" "$exe"
done
