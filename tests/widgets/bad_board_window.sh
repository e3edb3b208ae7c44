#!/usr/bin/env bash
# A broken board given with --board is answered by a message that names the file and its
# fault, and the program ends with status 1 once the message is acknowledged: never a crash,
# never a hang, never a window on a partial board.
# Usage: bad_board_window.sh GAME_DIR (the folder holding kroda and the default board)
set -uo pipefail
unset QT_QPA_PLATFORM  # the message box must be on the virtual display to be answered
# What the display and font libraries keep until exit is not the program's to free.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
game=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=../e2e/x_session.sh
. "$here/../e2e/x_session.sh"
work=$(mktemp -d)
chmod 700 "$work"
trap 'xs_stop; rm -rf "$work"' EXIT
xs_start "$work" || { echo "FAIL: no X server"; exit 1; }
failures=0

# expect NAME EXPECTED_TEXT BREAK_COMMAND
expect() {
  local name=$1 text=$2 break=$3 dir="$work/$1"
  cp -r "$game" "$dir"
  (cd "$dir" && eval "$break")
  "$game/kroda" --board "$dir" 2>"$dir.err" &
  local pid=$! rc _
  for _ in $(seq 15); do
    sleep 1
    kill -0 "$pid" 2>/dev/null || break
    xs_key Return 2>/dev/null
  done
  kill "$pid" 2>/dev/null
  wait "$pid"
  rc=$?
  if [[ $rc -ne 1 ]] || ! grep -qF -- "$text" "$dir.err" ||
     grep -qE 'AddressSanitizer|runtime error' "$dir.err"; then
    echo "FAIL $name: status $rc"; cat "$dir.err"; failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

expect not-a-picture "Image/Hblocks.bmp: expected a BMP picture" "printf 'BMxxxx' >Image/Hblocks.bmp"
expect empty-picture "Image/Corners.bmp" ": >Image/Corners.bmp"
expect missing-picture "Image/CBlock.bmp" "rm Image/CBlock.bmp"
expect empty-config "KovarT.dat" ": >KovarT.dat"
expect square-kind "KovarT.dat:9: item 22" "sed -i '9s/,1,600,/,10,600,/' KovarT.dat"
expect fifo-card "Fortune.crd: the card file cannot be read: it is a FIFO" \
  "rm Fortune.crd && mkfifo Fortune.crd"
exit $((failures > 0))
