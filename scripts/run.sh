#!/usr/bin/env bash
# Builds the program and starts it under Wine (on Xvfb when there is no display).
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/xvfb.sh"
"$TESSARY_ROOT/scripts/install-deps.sh"
"$TESSARY_ROOT/scripts/build.sh" tessary
"$TESSARY_ROOT/scripts/make-prefix.sh"
start_xvfb
echo "DISPLAY=$DISPLAY"
wine "$BUILD_DIR/tessary.exe" "$@"
stop_xvfb
