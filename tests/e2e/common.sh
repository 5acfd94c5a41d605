# What the end-to-end scripts share; sourced, never run.
#
# e2e_setup SHOW_WARNINGS [TOOL...]: skips (exit 77) without xvfb-run, xdotool and the
# tools named; makes a fresh data folder (removed at exit) whose settings have no dealing
# pause, a deck chosen (so no dialog opens on the first start) and warnings on or off, and
# exports XDG_DATA_HOME, TAVRIK_E2E_LOG and TAVRIK_E2E_COMMON.
e2e_setup() {
  local warnings="$1" tool
  shift
  for tool in xvfb-run xdotool "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
  done
  E2E_HOME="$(mktemp -d)"
  trap 'rm -rf "$E2E_HOME"' EXIT
  mkdir -p "$E2E_HOME/Tavrik"
  printf '[Preferences]\nDealSpeed=0\n\n[Params]\nShowWarnings=%s\n\n[Cards]\nDeck=001\n' \
    "$warnings" >"$E2E_HOME/Tavrik/Tavrik.ini"
  export XDG_DATA_HOME="$E2E_HOME"
  export TAVRIK_E2E_LOG="$E2E_HOME/Tavrik/Tavrik.log"
  export TAVRIK_E2E_COMMON="${BASH_SOURCE[0]}"
  # In a sanitizer build the X and D-Bus client libraries leave allocations behind at
  # exit; the program's own memory is checked by the unit tests.
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
}

# Inside the virtual display. e2e_start EXE: starts the trainer (pid in E2E_PID) and gives
# its main window the keyboard (window in E2E_WINDOW); fails when it does not appear.
e2e_start() {
  "$1" &
  E2E_PID=$!
  E2E_WINDOW=""
  for _ in $(seq 300); do  # a loaded machine may take a while to show it
    E2E_WINDOW="$(xdotool search --name "Tavrik 2.0" 2>/dev/null | head -1 || true)"
    [ -n "$E2E_WINDOW" ] && break
    sleep 0.1
  done
  [ -n "$E2E_WINDOW" ] || { echo "the main window did not appear"; kill "$E2E_PID"; exit 1; }
  sleep 0.5
  xdotool windowfocus --sync "$E2E_WINDOW"
}

# e2e_wait_log BYTES: waits up to 20 s until the log holds that many bytes (a loaded
# machine may lag behind the keys).
e2e_wait_log() {
  for _ in $(seq 200); do
    [ "$(stat -c %s "$TAVRIK_E2E_LOG" 2>/dev/null || echo 0)" -ge "$1" ] && return
    sleep 0.1
  done
}
