#!/usr/bin/env bash
# Builds the program and starts it under Wine (on Xvfb when there is no
# display). With TESSARY_RUN_CHECK=1 it checks itself instead: the program is
# started on a private Xvfb, must show its main window, is photographed and
# closed; the test command runs this so a broken start command fails CI.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/xvfb.sh"
trap stop_xvfb EXIT
"$TESSARY_ROOT/scripts/install-deps.sh"
if [ -z "${TESSARY_RUN_CHECK:-}" ]; then
  "$TESSARY_ROOT/scripts/build.sh" tessary
  "$TESSARY_ROOT/scripts/make-prefix.sh"
  start_xvfb
  echo "DISPLAY=$DISPLAY"
  wine "$BUILD_DIR/tessary.exe" "$@"
  exit 0
fi

"$TESSARY_ROOT/scripts/build.sh" tessary await_main_window
"$TESSARY_ROOT/scripts/make-prefix.sh"
unset DISPLAY
start_xvfb
out=$BUILD_DIR/test-output
mkdir -p "$out"
wine "$BUILD_DIR/tessary.exe" "$@" >"$out/run-check.log" 2>&1 </dev/null &
program=$!
rc=0
"$TESSARY_ROOT/scripts/wine-exec.sh" "$BUILD_DIR/tests/await_main_window.exe" 60000 || rc=$?
import -window root "$out/run_command_started.png" || true
if [ $rc -eq 0 ]; then
  "$TESSARY_ROOT/scripts/wine-exec.sh" "$BUILD_DIR/tests/await_main_window.exe" 1000 close || rc=$?
fi
# Wine's helpers outlive the program: end the prefix's server before the tests start theirs.
wineserver -k >/dev/null 2>&1 || true
wait "$program" 2>/dev/null || true
[ $rc -eq 0 ] && echo "run.sh check: the program started" || echo "run.sh check: the program did not start" >&2
exit $rc
