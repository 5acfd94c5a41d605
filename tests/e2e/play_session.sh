#!/usr/bin/env bash
# Plays three hands of the trainer with real key presses under a virtual X display, deals
# once more (a round never drawn gives its bet back), closes it as the session would end,
# and checks what it left in a fresh data folder: one 79-byte log record per finished hand
# and the settings file's sections.
# Usage: play_session.sh <tavrik executable>. Exit 77 (skipped) without xvfb-run/xdotool.
set -euo pipefail
exe="$1"
# No warnings: they would wait for an answer.
source "$(dirname "$0")/common.sh"
e2e_setup 0
export TAVRIK_E2E_HANDS=3

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  source "$TAVRIK_E2E_COMMON"
  e2e_start "$0"
  for hand in $(seq "$TAVRIK_E2E_HANDS"); do
    xdotool key space   # deal, collecting the round before
    e2e_wait_log $(((hand - 1) * 79))
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
  e2e_wait_log $((TAVRIK_E2E_HANDS * 79))
  kill -TERM "$E2E_PID"
  wait "$E2E_PID"
' "$exe"

log="$TAVRIK_E2E_LOG"
ini="$E2E_HOME/Tavrik/Tavrik.ini"
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
