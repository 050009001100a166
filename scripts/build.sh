#!/usr/bin/env bash
# Configures (once) and builds the program and the tests; arguments name the
# targets to build (for instance `tessary`), none builds everything.
set -euo pipefail
source "$(dirname "$0")/common.sh"
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S "$TESSARY_ROOT" -B "$BUILD_DIR" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TESSARY_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo ${TESSARY_CMAKE_ARGS:-}
fi
targets=()
[ $# -eq 0 ] || targets=(--target "$@")
cmake --build "$BUILD_DIR" ${TESSARY_JOBS:+-j "$TESSARY_JOBS"} "${targets[@]}"
