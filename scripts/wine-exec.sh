#!/usr/bin/env bash
# Runs one Windows program under the build's prefix. Wine's helper processes
# outlive the program and inherit its output pipes, so the program writes to
# temporary files that are copied out when it ends.
source "$(dirname "$0")/common.sh"
out=$(mktemp); err=$(mktemp)
wine "$@" >"$out" 2>"$err" </dev/null
rc=$?
cat "$out"; cat "$err" >&2
rm -f "$out" "$err"
exit $rc
