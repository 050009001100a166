# Sourced: starts Xvfb on a free display when none is set, 1024x768x24 so that
# screenshots are the same everywhere.
start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local file; file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$file" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -1 "$file")"
  rm -f "$file"
}
stop_xvfb() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; true; }
