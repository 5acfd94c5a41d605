#!/usr/bin/env bash
# Plays three hands of the trainer with real key presses under a virtual X display, deals
# once more (a round never drawn gives its bet back), closes it as the session would end,
# and checks what it left in a fresh data folder: one 79-byte log record per finished hand
# and the settings file's sections.
# Usage: play_session.sh <tavrik executable>. Exit 77 (skipped) without xvfb-run/xdotool.
set -euo pipefail
exe="$1"
for tool in xvfb-run xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Tavrik"
# No dealing pause, no warnings (they would wait for an answer), and a deck chosen, so no
# dialog opens on the first start.
cat >"$home/Tavrik/Tavrik.ini" <<'INI'
[Preferences]
DealSpeed=0

[Params]
ShowWarnings=0

[Cards]
Deck=001
INI
export XDG_DATA_HOME="$home"
export TAVRIK_E2E_HANDS=3
export TAVRIK_E2E_LOG="$home/Tavrik/Tavrik.log"
# In a sanitizer build the X and D-Bus client libraries leave allocations behind at exit;
# the program's own memory is checked by the unit tests.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  "$0" & pid=$!
  window=""
  for _ in $(seq 300); do  # a loaded machine may take a while to show it
    window="$(xdotool search --name "Tavrik 2.0" 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "the main window did not appear"; kill "$pid"; exit 1; }
  sleep 0.5
  xdotool windowfocus --sync "$window"
  # Waits until the log holds $1 bytes (a loaded machine may lag behind the keys).
  wait_log() {
    for _ in $(seq 200); do
      [ "$(stat -c %s "$TAVRIK_E2E_LOG" 2>/dev/null || echo 0)" -ge "$1" ] && return
      sleep 0.1
    done
  }
  for hand in $(seq "$TAVRIK_E2E_HANDS"); do
    xdotool key space   # deal, collecting the round before
    wait_log $(((hand - 1) * 79))
    sleep 0.4
    xdotool key 1 3     # hold the first and the third card
    sleep 0.2
    xdotool key space   # draw
    sleep 0.4
  done
  # One more deal collects the last drawn round; the program is ended only once the log
  # holds it, so a slow machine cannot end a hand before its draw. The round dealt last
  # is never drawn: it gives its bet back and is not logged.
  xdotool key space
  for _ in $(seq 300); do
    [ "$(stat -c %s "$TAVRIK_E2E_LOG" 2>/dev/null || echo 0)" -ge $((TAVRIK_E2E_HANDS * 79)) ] &&
      break
    sleep 0.1
  done
  kill -TERM "$pid"
  wait "$pid"
' "$exe"

log="$TAVRIK_E2E_LOG"
ini="$home/Tavrik/Tavrik.ini"
size="$(stat -c %s "$log")"
if [ "$size" -ne $((TAVRIK_E2E_HANDS * 79)) ]; then
  echo "Tavrik.log holds $size bytes, expected $((TAVRIK_E2E_HANDS * 79))"
  exit 1
fi
for section in "Preferences" "MRU" "Params" "Cards"; do
  grep -qx "\[$section\]" "$ini" || { echo "Tavrik.ini lacks [$section]"; cat "$ini"; exit 1; }
done
grep -q '^\[MainWindow [0-9]*#[0-9]*\]$' "$ini" || { echo "Tavrik.ini lacks the placement"; exit 1; }
grep -qx "Hands=$TAVRIK_E2E_HANDS" "$ini" || grep -qx "Credits=[0-9]*" "$ini" ||
  { echo "Tavrik.ini lacks the counters"; exit 1; }
echo "played $TAVRIK_E2E_HANDS hands: $size bytes of log, settings written"
