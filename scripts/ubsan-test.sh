#!/usr/bin/env bash
# The tests built with trapping undefined-behaviour checks, in a build folder
# (and Wine prefix) of their own; arguments go to ctest as with test.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export TESSARY_BUILD_DIR=${TESSARY_BUILD_DIR:-$root/build-ubsan}
export TESSARY_CMAKE_ARGS="-DTESSARY_UBSAN=ON"
exec "$root/scripts/test.sh" "$@"
