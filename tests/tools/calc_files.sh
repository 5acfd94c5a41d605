#!/usr/bin/env bash
# tavrik-calc against files that are not what they should be and output that cannot be
# written: it never waits on a file and never claims success for output that was lost.
# Usage: calc_files.sh <tavrik-calc executable>.
set -uo pipefail
exe="$1"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Tavrik"
export XDG_DATA_HOME="$home"
failures=0

# Each case: a description, the expected exit status ("nonzero" for any failure), the
# command (run by bash with the data folder prepared).
check() {
  local what="$1" expected="$2" command="$3" status
  timeout 20 bash -c "$command" >/dev/null 2>&1
  status=$?
  if [ "$status" -eq 124 ]; then
    echo "FAIL: $what: hung"; failures=$((failures + 1))
  elif [ "$expected" = nonzero ] && [ "$status" -eq 0 ]; then
    echo "FAIL: $what: exit status 0"; failures=$((failures + 1))
  elif [ "$expected" != nonzero ] && [ "$status" -ne "$expected" ]; then
    echo "FAIL: $what: exit status $status, expected $expected"; failures=$((failures + 1))
  fi
}

mkfifo "$home/Tavrik/Quelbin.dat" "$home/Tavrik/Tavrik.log"
check "games with a FIFO for Quelbin.dat" 0 "'$exe' games"
check "stats with a FIFO for the log" nonzero "'$exe' stats"
rm "$home/Tavrik/Quelbin.dat" "$home/Tavrik/Tavrik.log"
check "output to a full disk" nonzero "'$exe' games >/dev/full"
check "closed standard output" nonzero "'$exe' games >&-"
check "usage to a full disk" 2 "'$exe' hand >/dev/full"
# The message says why.
message="$("$exe" games 2>&1 >/dev/full)"
case "$message" in
  *"cannot be written"*) ;;
  *) echo "FAIL: no message for lost output: '$message'"; failures=$((failures + 1)) ;;
esac
exit $((failures > 0))
