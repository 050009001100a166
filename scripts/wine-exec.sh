#!/usr/bin/env bash
# Runs one Windows program under the build's prefix. Wine's helper processes
# outlive the program and inherit its output pipes, so the program writes to
# temporary files that are copied out when it ends.
source "$(dirname "$0")/common.sh"
out=$(mktemp); err=$(mktemp)
# Under heavy parallel load Wine now and then fails to start a process at all
# (nothing printed, non-zero exit); such a start is tried again. A program that
# ran always prints something, so its own failures are never retried.
for attempt in 1 2 3; do
  wine "$@" >"$out" 2>"$err" </dev/null
  rc=$?
  [ $rc -eq 0 ] || [ -s "$out" ] && break
  echo "wine-exec: no output and exit code $rc on attempt $attempt" >>"$err.log"
  sleep 1
done
cat "$out"; cat "$err" >&2
[ -s "$err.log" ] && cat "$err.log" >&2
rm -f "$out" "$err" "$err.log"
exit $rc
