#!/usr/bin/env bash
# A key that closes a dialog or a menu must never reach the table. Plays hands with
# warnings on, holding the first and third cards; in each warning presses Space (players
# press the draw key twice by habit: it must do nothing) and Esc (draw with the player's
# hold). Then opens a menu with the mouse, closes it with Esc and deals with Space. The log
# must show the player's hold in every round and the warnings must still be on.
# Usage: dialog_keys.sh <tavrik executable>. Exit 77 (skipped) without xvfb-run/xdotool.
set -euo pipefail
exe="$1"
for tool in xvfb-run xdotool python3; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Tavrik"
cat >"$home/Tavrik/Tavrik.ini" <<'INI'
[Preferences]
DealSpeed=0

[Params]
ShowWarnings=1

[Cards]
Deck=001
INI
export XDG_DATA_HOME="$home"
export TAVRIK_E2E_LOG="$home/Tavrik/Tavrik.log"
export TAVRIK_E2E_WARNINGS="$home/warnings"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
hands=6

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  hands="$1"
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
  # Draws the held cards; a warning gets Space, then Esc.
  draw() {
    xdotool key 1 3
    sleep 0.2
    xdotool key space
    sleep 0.6
    if xdotool search --name "^  Warning$" >/dev/null 2>&1; then
      echo >>"$TAVRIK_E2E_WARNINGS"
      xdotool key space
      sleep 0.3
      xdotool key Escape
      sleep 0.4
    fi
  }
  # Waits until the log holds $1 bytes (a loaded machine may lag behind the keys).
  wait_log() {
    for _ in $(seq 200); do
      [ "$(stat -c %s "$TAVRIK_E2E_LOG" 2>/dev/null || echo 0)" -ge "$1" ] && return
      sleep 0.1
    done
  }
  for hand in $(seq "$hands"); do
    xdotool key space   # deal (collecting the round before)
    wait_log $(((hand - 1) * 79))
    sleep 0.4
    draw
  done
  xdotool mousemove --window "$window" 20 10 click 1   # opens the Game menu
  sleep 0.4
  xdotool key Escape
  sleep 0.3
  xdotool key space   # must deal, not open the menu
  wait_log $((hands * 79))
  sleep 0.4
  draw
  xdotool key space   # collects the last round
  for _ in $(seq 100); do
    [ "$(stat -c %s "$TAVRIK_E2E_LOG" 2>/dev/null || echo 0)" -ge $(((hands + 1) * 79)) ] && break
    sleep 0.1
  done
  kill -TERM "$pid"
  wait "$pid"
' "$exe" "$hands"

warnings=$(wc -l <"$TAVRIK_E2E_WARNINGS" 2>/dev/null || echo 0)
[ "$warnings" -ge 1 ] || { echo "no warning appeared in $hands hands: nothing was checked"; exit 1; }
grep -qx "ShowWarnings=1" "$home/Tavrik/Tavrik.ini" ||
  { echo "Space in a warning switched the warnings off"; exit 1; }
python3 - "$TAVRIK_E2E_LOG" "$hands" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
expected = int(sys.argv[2]) + 1
masks = [data[i + 35] for i in range(0, len(data) - 78, 79)]
if len(data) != expected * 79:
    sys.exit(f"the log holds {len(data)} bytes, expected {expected} rounds: a key went astray")
# Cards 1 and 3 held: positions 1, 3 and 4 replaced.
if any(mask != 0b11010 for mask in masks):
    sys.exit(f"a round was not drawn with the player's hold: masks {masks}")
PY
echo "$((hands + 1)) rounds with the player's hold, $warnings warnings answered with Space and Esc"
