#!/usr/bin/env bash
# The windows on a 1920 x 1080 screen, as a person at home meets them, under an Xvfb of its
# own:
#
#   tests/e2e/screen_road.sh GAME_DIR
#
# 1. Without --scale the title screen opens at twice its size, 1280 x 960, centred.
# 2. With Debian's openbox running, F11 makes the game window fill the screen, with the game
#    drawn at 2x in its middle and a deed card above it, and brings it back to 1280 x 960;
#    the screenshots are kept as WORK/full-screen.png and game-window.png.
# 3. The toolbar's speed button runs the game at 2x, 4x and back at 1x: measured from the
#    narration as the game's milliseconds per real second, each within a tenth.
# 4. The next game starts at the speed and in the full screen the last one chose.
#
# Exit status 0 passed, 1 failed, 77 skipped (no Xvfb, xdotool, openbox or ImageMagick).
set -uo pipefail

game_dir=$(cd "${1:?usage: screen_road.sh GAME_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
XS_SCREEN_W=1920 XS_SCREEN_H=1080
# shellcheck source-path=SCRIPTDIR source=x_session.sh
. "$here/x_session.sh"
for tool in Xvfb xdotool xprop openbox import; do
  if ! command -v "$tool" >/dev/null; then
    echo "screen_road: SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
[ -x "$game_dir/kroda" ] || { echo "screen_road: no kroda in $game_dir"; exit 1; }

work=$(mktemp -d)
chmod 700 "$work"
game_pid=""
reader_pid=""
started=$SECONDS
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  xs_stop
  if [ -n "${KRODA_E2E_KEEP:-}" ]; then echo "screen_road: files kept in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
fail() {
  echo "screen_road: FAILED after $((SECONDS - started)) s: $*"
  xs_report_failure "$work/narration" "$work/stderr" "$work/failed.png"
  KRODA_E2E_KEEP=1
  exit 1
}
note() { echo "screen_road: $*"; }

xs_start "$work" 2>"$work/xs.err" || fail "$(cat "$work/xs.err")"
export XDG_DATA_HOME=$work/data
: >"$work/stderr"

# Starts the game with the given options; each narration line is kept with the real
# millisecond it arrived at in front: "<real ms> <game ms> <step> <message>".
start_game() {
  : >"$work/narration"
  : >"$work/pid"
  (cd "$game_dir" && echo "$BASHPID" >"$work/pid" && exec ./kroda "$@") 2>>"$work/stderr" |
    while IFS= read -r line; do printf '%s %s\n' "$(date +%s%3N)" "$line"; done \
      >"$work/narration" &
  reader_pid=$!
  for _ in $(seq 50); do
    [ -s "$work/pid" ] && break
    sleep 0.1
  done
  game_pid=$(cat "$work/pid")
}

# Ends the game as a closed session would, and waits for its windows to go.
stop_game() {
  local _
  kill "$game_pid" 2>/dev/null
  for _ in $(seq 50); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  game_pid=""
  wait "$reader_pid" 2>/dev/null
}

# A card window waits for a key, even over a game of computers: a person watching closes it,
# once the narration has asked for it.
# Called every tenth of a second; a key that went astray is given again after a second.
close_card() {
  local card
  tail -n 1 "$work/narration" | grep -q "กดคีย์ใด ๆ เพื่อปิดบัตร" || return 0
  card_polls=$((card_polls + 1))
  ((card_polls % 10 == 1)) || return 0
  card=$(xs_window_ids "$game_pid" | grep -vx "$game" | head -n 1)
  if [ -n "$card" ]; then
    xdotool windowactivate --sync "$card" key space 2>/dev/null
  else
    xdotool key space
  fi
}
card_polls=0

# Waits (up to 20 s) until no card window is open, closing it if one is: the game window
# takes no press while one is.
no_card() {
  local _
  for _ in $(seq 200); do
    close_card
    tail -n 1 "$work/narration" | grep -q "กดคีย์ใด ๆ เพื่อปิดบัตร" || return 0
    sleep 0.1
  done
  return 1
}

# The game's pace from the next narration line on, until lines have come over SECONDS real
# seconds (at most a minute): game ms per real ms, with two decimals, or "none". The game's
# clock runs on while a card window waits, so closing one does not change the pace.
pace_over() {
  local seconds=$1 from pace _
  from=$(wc -l <"$work/narration")
  for _ in $(seq 600); do
    close_card
    pace=$(tail -n +"$((from + 1))" "$work/narration" | awk -v span="$((seconds * 1000))" '
      NR == 1 { r0 = $1; g0 = $2 }
      { r = $1; g = $2 }
      END { if (NR >= 2 && r - r0 >= span) printf "%.2f\n", (g - g0) / (r - r0) }')
    [ -n "$pace" ] && break
    sleep 0.1
  done
  echo "${pace:-none}"
}

# Whether a pace is within a tenth of the speed asked for.
near() { awk -v p="$1" -v s="$2" 'BEGIN { exit !(p != "none" && p >= s * 0.9 && p <= s * 1.1) }'; }

# --- 1. The title screen at the scale the screen fits.
start_game
title=$(xs_find_window "$XS_TITLE" 1280x960) || fail "no 1280x960 title screen"
why=$(xs_centred "$title" 1280 960) || fail "the title screen: $why"
note "the title screen opens at 1280x960, centred"
stop_game

# --- 2. Full screen, with a window manager.
xs_window_manager || fail "openbox did not start"
start_game --seats cc --narration
game=$(xs_find_window "$XS_TITLE" 1280x960) || fail "no 1280x960 game window"
xs_key_to "$game" F11
xs_find_window "$XS_TITLE" 1920x1080 >/dev/null || fail "F11 did not fill the screen"
# The game is drawn at 2x in the middle of the screen; a square's deed card comes up above
# the full-screen window, and goes with its "X".
read -r x y <<<"$(xs_at square.5)"
xdotool mousemove --window "$game" $((320 + x * 2)) $((60 + y * 2)) click 1
deed=$(xs_find_window "$XS_DEED" 680x480) || fail "no deed card over the full screen"
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | tr ' ' '\n' | grep '^0x')
above=$(grep -n -x "$(printf '0x%x' "$deed")" <<<"$stacking" | cut -d: -f1)
below=$(grep -n -x "$(printf '0x%x' "$game")" <<<"$stacking" | cut -d: -f1)
[ -n "$above" ] && [ -n "$below" ] && ((above > below)) ||
  fail "the deed card is not above the full-screen game window: $(tr '\n' ' ' <<<"$stacking")"
sleep 0.5
xs_screenshot root "$work/full-screen.png"
read -r x y <<<"$(xs_at deed.close)"
xdotool mousemove --window "$deed" $((x * 2)) $((y * 2)) click 1
xs_gone "$deed" || fail "the deed card's X did not close it"
xs_key_to "$game" F11
xs_find_window "$XS_TITLE" 1280x960 >/dev/null || fail "F11 again did not bring the window back"
note "F11 fills the screen, a deed card stays above it, and F11 brings the window back"

# --- 3. The speed button. The game's own speed at the start is 1x.
# Presses the speed button until the program has remembered the speed SPEED (a card window
# that opened just before a press takes it).
press_speed() {
  local speed=$1 x y _
  read -r x y <<<"$(xs_at game.speed)"
  for _ in 1 2 3 4 5; do
    no_card || return 1
    xdotool mousemove --window "$game" $((x * 2)) $((y * 2)) click 1
    sleep 0.5  # the click sound plays before the button acts
    grep -qx "speed=$speed" "$XDG_CONFIG_HOME/kroda/kroda.conf" 2>/dev/null && return 0
  done
  return 1
}
sleep 1
xs_screenshot "$game" "$work/game-window.png"
pace=$(pace_over 6)
near "$pace" 1 || fail "the game ran at $pace at the start, not 1"
results="1x $pace"
for speed in 2 4 1; do
  press_speed "$speed" || fail "the speed button did not choose $speed"
  pace=$(pace_over 6)
  near "$pace" "$speed" || fail "after a press the game ran at $pace, not $speed"
  results="$results, ${speed}x $pace"
done
note "game ms per real ms: $results"

# --- 4. What the next game remembers.
press_speed 2 || fail "the speed button did not choose 2"
no_card || fail "a card window stayed open"
xs_key_to "$game" F11
xs_find_window "$XS_TITLE" 1920x1080 >/dev/null || fail "F11 did not fill the screen"
stop_game
start_game --seats cc --narration
game=$(xs_find_window "$XS_TITLE" 1920x1080) || fail "the next game did not open full screen"
pace=$(pace_over 6)
near "$pace" 2 || fail "the next game ran at $pace, not the 2 chosen before"
note "the next game opens full screen at 2x ($pace)"
stop_game

if grep -v '^QStandardPaths\|^kroda: autosave' "$work/stderr" | grep -q .; then
  fail "stderr: $(head -n 5 "$work/stderr")"
fi
note "passed in $((SECONDS - started)) s"
