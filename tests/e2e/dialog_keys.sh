#!/usr/bin/env bash
# A key that closes a dialog or a menu must never reach the table. Plays hands with
# warnings on, holding the first and third cards; in each warning presses Space (players
# press the draw key twice by habit: it must do nothing) and Esc (draw with the player's
# hold). Then opens a menu with the mouse, closes it with Esc and deals with Space, and does
# the same with the preferences dialog while the pointer is off the window. The log must
# show the player's hold in every round and the warnings must still be on.
# Usage: dialog_keys.sh <tavrik executable>. Exit 77 (skipped) without xvfb-run/xdotool.
set -euo pipefail
exe="$1"
source "$(dirname "$0")/common.sh"
e2e_setup 1 python3
export TAVRIK_E2E_WARNINGS="$E2E_HOME/warnings"
hands=6

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  hands="$1"
  source "$TAVRIK_E2E_COMMON"
  e2e_start "$0"
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
  for hand in $(seq "$hands"); do
    xdotool key space   # deal (collecting the round before)
    e2e_wait_log $(((hand - 1) * 79))
    sleep 0.4
    draw
  done
  xdotool mousemove --window "$E2E_WINDOW" 20 10 click 1   # opens the Game menu
  sleep 0.4
  xdotool key Escape
  sleep 0.3
  xdotool key space   # must deal, not open the menu
  e2e_wait_log $((hands * 79))
  sleep 0.4
  draw
  # A dialog closed with Esc hands the keyboard back to the table, wherever the pointer
  # is (with no window manager to do it, X would leave it nowhere).
  xdotool mousemove 1020 760 key ctrl+p
  sleep 0.6
  xdotool key Escape
  sleep 0.4
  xdotool key space   # must deal
  e2e_wait_log $(((hands + 1) * 79))
  sleep 0.4
  draw
  xdotool key space   # collects the last round
  e2e_wait_log $(((hands + 2) * 79))
  kill -TERM "$E2E_PID"
  wait "$E2E_PID"
' "$exe" "$hands"

warnings=$(wc -l <"$TAVRIK_E2E_WARNINGS" 2>/dev/null || echo 0)
[ "$warnings" -ge 1 ] || { echo "no warning appeared in $hands hands: nothing was checked"; exit 1; }
grep -qx "ShowWarnings=1" "$E2E_HOME/Tavrik/Tavrik.ini" ||
  { echo "Space in a warning switched the warnings off"; exit 1; }
python3 - "$TAVRIK_E2E_LOG" "$hands" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
expected = int(sys.argv[2]) + 2
masks = [data[i + 35] for i in range(0, len(data) - 78, 79)]
if len(data) != expected * 79:
    sys.exit(f"the log holds {len(data)} bytes, expected {expected} rounds: a key went astray")
# Cards 1 and 3 held: positions 1, 3 and 4 replaced.
if any(mask != 0b11010 for mask in masks):
    sys.exit(f"a round was not drawn with the player's hold: masks {masks}")
PY
echo "$((hands + 2)) rounds with the player's hold, $warnings warnings answered with Space and Esc"
