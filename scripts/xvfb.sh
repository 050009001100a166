# Sourced: starts Xvfb on a free display when none is usable, 1024x768x24 so
# that screenshots are the same everywhere; a failed start is an error.
start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local file; file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$file" ] && break; sleep 0.05; done
  local number; number=$(head -1 "$file")
  rm -f "$file"
  if [ -z "$number" ]; then
    echo "Xvfb did not start" >&2
    stop_xvfb
    return 1
  fi
  export DISPLAY=":$number"
}
stop_xvfb() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; XVFB_PID=; true; }
