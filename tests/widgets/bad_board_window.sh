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
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect NAME EXPECTED_TEXT BREAK_COMMAND
expect() {
  local name=$1 text=$2 break=$3 dir="$work/$1"
  cp -r "$game" "$dir"
  (cd "$dir" && eval "$break")
  xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash -c '
    "$1/kroda" --board "$2" 2>"$2.err" & pid=$!
    for i in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do
      sleep 1; kill -0 $pid 2>/dev/null || break; xdotool key Return 2>/dev/null
    done
    kill $pid 2>/dev/null; wait $pid' _ "$game" "$dir"
  local rc=$?
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
