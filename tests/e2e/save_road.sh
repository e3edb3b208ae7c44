#!/usr/bin/env bash
# Saves and continues a game from outside, as a person would, under an Xvfb of its own: the
# checks read what a person sees (the players' names and money and the narrator's box, by
# their pixels) and the narration on stdout.
#
#   tests/e2e/save_road.sh GAME_DIR
#
# 1. Two persons play a few turns; at a turn's start the toolbar's save button opens the save
#    dialog, a name typed without ".Sav" becomes NAME.Sav in the Save folder, and the game
#    goes on; the toolbar's quit ends it.
# 2. A new copy: the title screen's continue button opens "อ่านบันทึกจาก", the saved file is
#    chosen, and the game window shows the saved moment and plays on from it.
# 3. Killed with SIGKILL in the middle of a later turn, the game is continued by
#    `kroda --continue`: the autosave brings back the start of the turn it was killed in.
# 4. `kroda --continue FIFO`: a message box and one line on stderr name the file and the
#    fault, OK ends the program with status 1, and the saves are as they were.
#
# Exit status 0 passed, 1 failed, 77 skipped (no Xvfb, xdotool or ImageMagick).
set -uo pipefail

game_dir=$(cd "${1:?usage: save_road.sh GAME_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=x_session.sh
. "$here/x_session.sh"
for tool in Xvfb xdotool import compare; do
  if ! command -v "$tool" >/dev/null; then
    echo "save_road: SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
[ -x "$game_dir/kroda" ] || { echo "save_road: no kroda in $game_dir"; exit 1; }

work=$(mktemp -d)
chmod 700 "$work"
game_pid=""
started=$SECONDS
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  xs_stop
  if [ -n "${KRODA_E2E_KEEP:-}" ]; then echo "save_road: files kept in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
fail() {
  echo "save_road: FAILED after $((SECONDS - started)) s: $*"
  xs_report_failure "$work/narration" "$work/stderr" "$work/failed.png"
  KRODA_E2E_KEEP=1
  exit 1
}
note() { echo "save_road: $*"; }

xs_start "$work" 2>"$work/xs.err" || fail "$(cat "$work/xs.err")"
export XDG_DATA_HOME=$work/data
saves=$XDG_DATA_HOME/kroda/Save
: >"$work/stderr"

# Starts the game with --narration --speed 8 and the given options; stdout is the narration.
start_game() {
  : >"$work/narration"
  consumed=0
  (cd "$game_dir" && exec ./kroda --narration --speed 8 "$@") >"$work/narration" 2>>"$work/stderr" &
  game_pid=$!
}

ended_with_0() {
  local status
  for _ in $(seq 200); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "$1 did not end the program"
  wait "$game_pid"
  status=$?
  game_pid=""
  [ "$status" -eq 0 ] || fail "$1 ended the program with status $status"
}

# Waits up to $1 s for the next narration line "<ms> <step> <message>".
next_line() {
  local lines
  for _ in $(seq $(($1 * 20))); do
    lines=$(wc -l <"$work/narration")
    if [ "$lines" -gt "$consumed" ]; then
      consumed=$((consumed + 1))
      line=$(sed -n "${consumed}p" "$work/narration")
      [[ "$line" =~ ^([0-9]+)\ ([0-9]+)\ (.*)$ ]] || fail "a narration line out of form: $line"
      ms=${BASH_REMATCH[1]} step=${BASH_REMATCH[2]} message=${BASH_REMATCH[3]}
      return 0
    fi
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended during play"
    sleep 0.05
  done
  return 1
}

# Plays until the narrator has begun TURNS more turns (step 12), answering for both persons:
# a key of the seat not invited is ignored, so both seats' keys are given (seat 1 S D F,
# seat 2 J K L). Returns at the last invitation, before its throw; begins with that throw.
play_turns() {
  local turns=$1
  [ "${step:-}" = 12 ] && xs_key d k
  while next_line 40; do
    case "$step" in
      12)
        turns=$((turns - 1))
        ((turns == 0)) && return 0
        xs_key d k
        ;;
      3 | 4 | 5 | 6 | 10 | 11) xs_key d k ;;
      14)
        case "$message" in
          *"O=ซื้อ"*) xs_key s j ;;
          "กดคีย์ใด ๆ เพื่อปิดบัตร") sleep 0.5; xs_key space ;;
        esac
        ;;
    esac
  done
  fail "the narrator fell silent"
}

# What a person sees of the moment: the players' faces, names and money, and the narrator.
photograph() {
  sleep 1
  if ! import -window "$game" -crop 232x144+400+184 +repage "$work/$1-players.png" ||
    ! import -window "$game" -crop 400x96+0+384 +repage "$work/$1-narrator.png"; then
    fail "no photograph of the game window"
  fi
}
same_moment() {
  local part n
  for part in players narrator; do
    n=$(compare -metric AE "$work/$1-$part.png" "$work/$2-$part.png" null: 2>&1)
    [ "$n" = "0" ] || fail "$3: the $part differ from the saved moment's ($n pixels)"
  done
}

# Types a file name into the save dialog's name box and gives Return, a second time when
# the first one only took the name box's completion.
choose_file() {
  sleep 0.5
  xs_key_to "$dialog" ctrl+a BackSpace
  xdotool type --delay 50 "$1"
  sleep 0.5
  xs_key Return
  xs_gone "$dialog" 10 || xs_key Return
  xs_gone "$dialog" || fail "the dialog stayed open after $1 was chosen"
}

# The one visible window of the game that is neither the game window nor the backdrop.
dialog_of_game() {
  local id w h
  for _ in $(seq 100); do
    while read -r id w h _; do
      [ "$id" != "$game" ] && [ "${w}x$h" != "640x480" ] && [ "${w}x$h" != "1024x768" ] &&
        { echo "$id"; return 0; }
    done < <(xs_windows_of "$game_pid")
    sleep 0.1
  done
  return 1
}

########################################################################
# 1. Play a little, save from the toolbar, quit
start_game --seats pp
game=$(xs_find_window "$XS_TITLE" 640x480) || fail "no game window"
play_turns 3
saved_line=$line
photograph saved
[ -f "$saves/autosave.Sav" ] || fail "no autosave at a turn's start"
xs_press "$game" game.save
dialog=$(dialog_of_game) || fail "the save button opened no dialog"
choose_file dinner
for _ in $(seq 50); do [ -s "$saves/dinner.Sav" ] && break; sleep 0.1; done
[ -s "$saves/dinner.Sav" ] || fail "no dinner.Sav in $saves: $(ls "$saves")"
[ -e "$saves/dinner" ] && fail "the save was written without its extension as well"
note "the toolbar saved the moment of '$saved_line' as dinner.Sav"

# The game went on while the dialog was open, and goes on after it.
play_turns 1
xs_press "$game" game.quit
ended_with_0 "the toolbar's quit"

########################################################################
# 2. A new copy: continue from the title screen with the saved file
start_game
title=$(xs_find_window "$XS_TITLE" 640x480) || fail "no title screen"
xs_press "$title" title.continue
dialog=$(dialog_of_game) ||
  fail "the continue button opened no dialog"
[ "$(xs_caption "$dialog")" = "อ่านบันทึกจาก" ] ||
  fail "the continue dialog is captioned '$(xs_caption "$dialog")'"
# The autosave is preselected, its name selected in the dialog's name box; the person types
# the other name over it (the rows' places depend on the dialog's font).
sleep 0.5
xdotool windowfocus "$dialog" 2>/dev/null
sleep 0.3
xdotool type --delay 50 dinner.Sav
sleep 0.3
xs_key Return
xs_gone "$dialog" || fail "dinner.Sav typed in the name box left the dialog open"
xs_gone "$title" || fail "the title screen stayed after a save was chosen"
game=$(xs_find_window "$XS_TITLE" 640x480 "$title") || fail "no game window after continue"
photograph continued
same_moment continued saved "continued from the title screen"
# It plays on from the saved moment's clock.
saved_ms=${saved_line%% *}
play_turns 1
((ms > saved_ms)) || fail "the narration after continuing starts at $ms ms, before $saved_ms"
note "continue from the title screen showed the saved moment and played on"

########################################################################
# 3. Killed mid-turn; --continue resumes at that turn's start
play_turns 1
turn_line=$line
photograph turn
xs_key d k
next_line 20 || fail "no throw after the last turn's start"
kill -9 "$game_pid"
wait "$game_pid" 2>/dev/null
game_pid=""
start_game --continue
game=$(xs_find_window "$XS_TITLE" 640x480) || fail "--continue opened no game window"
photograph autosaved
same_moment autosaved turn "--continue after SIGKILL"
note "after SIGKILL, --continue resumed at '$turn_line'"
xs_press "$game" game.quit
ended_with_0 "the toolbar's quit after --continue"

[ -s "$work/stderr" ] && fail "the game wrote on stderr"

########################################################################
# 4. A hostile file: a FIFO never blocks the program, is reported, and changes nothing
mkfifo "$work/pipe.Sav"
sums=$(cd "$saves" && md5sum ./*.Sav)
(cd "$game_dir" && exec ./kroda --continue "$work/pipe.Sav") >/dev/null 2>"$work/fifo.err" &
game_pid=$!
box=""
for _ in $(seq 100); do
  box=$(xs_windows_of "$game_pid" | awk '{ print $1 }' | head -n 1)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "a FIFO given to --continue showed no message box"
sleep 0.3
xs_key_to "$box" Return
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "OK on the message box did not end the program"
wait "$game_pid"
status=$?
game_pid=""
[ "$status" -eq 1 ] || fail "a FIFO given to --continue ended with status $status"
if [ "$(wc -l <"$work/fifo.err")" -ne 1 ] || ! grep -q "$work/pipe.Sav: .*FIFO" "$work/fifo.err"; then
  fail "a FIFO given to --continue printed: $(cat "$work/fifo.err")"
fi
[ "$(cd "$saves" && md5sum ./*.Sav)" = "$sums" ] || fail "a refused FIFO changed the saves"
note "a FIFO was refused: $(cat "$work/fifo.err")"
note "passed in $((SECONDS - started)) s"
