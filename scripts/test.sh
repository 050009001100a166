#!/usr/bin/env bash
# Builds everything and runs every test under Wine and Xvfb; ends with ctest's
# summary. Extra arguments go to ctest (for instance -R store); TESSARY_TARGETS
# names the targets to build when not everything is wanted.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/xvfb.sh"

phase_start install; "$TESSARY_ROOT/scripts/install-deps.sh"; phase_end
phase_start build; "$TESSARY_ROOT/scripts/build.sh" ${TESSARY_TARGETS:-}; phase_end
# The folders are layers: no include and no library symbol may point upward.
phase_start layers; python3 "$TESSARY_ROOT/scripts/check-layers.py" --symbols "$BUILD_DIR"; phase_end
phase_start prefix; "$TESSARY_ROOT/scripts/make-prefix.sh"; phase_end

# The README's start command, checked (skipped when only some targets are built).
if [ -z "${TESSARY_TARGETS:-}" ]; then
  phase_start "start command"; TESSARY_RUN_CHECK=1 "$TESSARY_ROOT/scripts/run.sh"; phase_end
fi

phase_start xvfb; start_xvfb; echo "DISPLAY=$DISPLAY"; phase_end
# One persistent wineserver for the whole run; Wine's services start outside ctest.
cleanup() { wineserver -k >/dev/null 2>&1 || true; stop_xvfb; }
trap cleanup EXIT
start_wineserver() {
  local attempt
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    wineserver -p >/dev/null 2>&1 </dev/null && return 0
    # A server left by an interrupted or just-ended run holds the prefix:
    # end it, wait for it to go, and start ours.
    wineserver -k >/dev/null 2>&1 </dev/null || true
    sleep 1
  done
  echo "no wineserver could be started for $WINEPREFIX" >&2
  return 1
}
start_wineserver
wine wineboot >/dev/null 2>&1 </dev/null || true

phase_start tests
rc=0
# Tests that hold the desktop (the real program under real input) run after
# the rest: windows of in-process tests on the same desktop would take their
# focus and input.
( cd "$BUILD_DIR" && ctest --output-on-failure -j "$(nproc)" --timeout 180 -LE desktop "$@" ) || rc=$?
( cd "$BUILD_DIR" && ctest --output-on-failure -j "$(nproc)" --timeout 180 -L desktop "$@" ) || rc=$?
phase_end
echo "screenshots and test files: $BUILD_DIR/test-output"
exit $rc
