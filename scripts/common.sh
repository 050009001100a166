# Shared settings of the scripts: where things live and how Wine is run.
TESSARY_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${TESSARY_BUILD_DIR:-$TESSARY_ROOT/build}
export WINEPREFIX=${TESSARY_WINEPREFIX:-$BUILD_DIR/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

phase_start() { PHASE_NAME=$1; PHASE_T0=$(date +%s); echo "== $PHASE_NAME"; }
phase_end() { echo "== $PHASE_NAME: $(( $(date +%s) - PHASE_T0 )) s"; }
# Build folders of one checkout share ccache's objects (when ccache is there).
export CCACHE_BASEDIR="$TESSARY_ROOT" CCACHE_NOHASHDIR=1
