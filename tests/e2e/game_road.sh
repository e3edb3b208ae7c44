#!/usr/bin/env bash
# Plays the game from outside, as a person would, under an Xvfb of its own with no window
# manager: clicks and keys go in through XTEST (xdotool), and the checks read what a person
# sees and what the program prints: the windows' captions, sizes and places, the narration on
# stdout, the pixels of screenshots against the game folder's BMP files, the exit statuses
# and stderr.
#
#   tests/e2e/game_road.sh GAME_DIR
#
# 1. The title screen: the about window opens and closes, a second copy is turned away, the
#    exit button ends the program.
# 2. The wizard forward and back through every page, closed and opened again on its first
#    page, then a game of two persons, played with their own keys to its winner: ranking and
#    move throws (again after doubles and after a tie, none after three doubles), buy offers
#    answered yes and no, card windows closed by a key, a deed card opened by a click on a
#    square, dragged by its title and closed by its "X". The toolbar's quit ends the program.
#
# Exit status 0 passed, 1 failed, 77 skipped (no Xvfb, xdotool, ImageMagick or python3).
set -uo pipefail

game_dir=$(cd "${1:?usage: game_road.sh GAME_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=x_session.sh
. "$here/x_session.sh"
for tool in Xvfb xdotool import convert identify python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "game_road: SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
[ -x "$game_dir/kroda" ] && [ -x "$game_dir/kroda-headless" ] ||
  { echo "game_road: no kroda or kroda-headless in $game_dir"; exit 1; }

work=$(mktemp -d)
chmod 700 "$work"
game_pid=""
started=$SECONDS
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  xs_stop
  if [ -n "${KRODA_E2E_KEEP:-}" ]; then echo "game_road: files kept in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

fail() {
  echo "game_road: FAILED after $((SECONDS - started)) s: $*"
  xs_report_failure "$work/narration" "$work/stderr" "$work/failed.png"
  KRODA_E2E_KEEP=1
  exit 1
}
note() { echo "game_road: $*"; }

# --- the X server and the windows
xs_start "$work" 2>"$work/xs.err" || fail "$(cat "$work/xs.err")"
TITLE=$XS_TITLE
WIZARD=$XS_WIZARD
ABOUT=$XS_ABOUT
DEED=$XS_DEED

windows_of_game() { xs_windows_of "$game_pid"; }
find_window() { xs_find_window "$@"; }
gone() { xs_gone "$1"; }
position() { xs_position "$1"; }

# A window of the given size must stand where centring puts it on the screen.
centred() {
  local where
  where=$(xs_centred "$1" "$2" "$3") || fail "the $4 stands $where"
}

# --- mouse and keys, as a person gives them (XTEST), at the places positions.sh names; the
# program answers a button press after its click sound
press() { xs_press "$@"; }
key() { xs_key "$@"; }

# --- the program

# Starts the game with --narration --speed 8; its stdout is the narration.
start_game() {
  (cd "$game_dir" && exec ./kroda --narration --speed 8) >"$work/narration" 2>>"$work/stderr" &
  game_pid=$!
}

# Waits up to 20 s for the program to end; checks its status.
ended_with_0() {
  local what=$1 status
  for _ in $(seq 200); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "$what did not end the program"
  wait "$game_pid"
  status=$?
  game_pid=""
  [ "$status" -eq 0 ] || fail "$what ended the program with status $status"
}

# --- narration: lines "<ms> <step> <message>"
consumed=0

# Waits up to $1 s for the next complete narration line; sets step and message.
next_line() {
  local limit=$1 lines
  for _ in $(seq $((limit * 20))); do
    lines=$(wc -l <"$work/narration")
    if [ "$lines" -gt "$consumed" ]; then
      consumed=$((consumed + 1))
      line=$(sed -n "${consumed}p" "$work/narration")
      [[ "$line" =~ ^[0-9]+\ ([0-9]+)\ (.*)$ ]] || fail "a narration line out of form: $line"
      step=${BASH_REMATCH[1]}
      message=${BASH_REMATCH[2]}
      return 0
    fi
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended during play"
    sleep 0.05
  done
  return 1
}

# Skips narration lines until one of this step arrives.
await_step() {
  local want=$1
  while next_line 30; do [ "$step" = "$want" ] && return 0; done
  fail "no narration line of step $want"
}

########################################################################
# 1. The title screen, the about window, a second copy, the exit button
: >"$work/stderr"
start_game
title=$(find_window "$TITLE" 640x480) || fail "no title screen"
centred "$title" 640 480 "title screen"

# A second copy shows nothing, says why on stderr and ends with status 0.
(cd "$game_dir" && ./kroda --narration --speed 8) >"$work/second.out" 2>"$work/second.err"
second_status=$?
[ "$second_status" -eq 0 ] || fail "a second copy ended with status $second_status"
[ "$(wc -l <"$work/second.err")" -eq 1 ] || fail "a second copy printed: $(cat "$work/second.err")"
[ -s "$work/second.out" ] && fail "a second copy printed narration"
[ "$(xdotool search --onlyvisible --name "^$TITLE\$" | wc -l)" -eq 1 ] ||
  fail "a second title screen is showing"
note "a second copy was turned away: $(cat "$work/second.err")"

press "$title" title.about
about=$(find_window "$ABOUT" 400x400) || fail "the about button opened no about window"
centred "$about" 400 400 "about window"
press "$about" about.close
gone "$about" || fail "the about window's button left it open"
note "the about window opened and closed"

sleep 0.3 # the release of the about window's button plays no part on the title screen
press "$title" title.exit
ended_with_0 "the title screen's exit button"
[ -s "$work/stderr" ] && fail "the title screen run wrote on stderr"
note "the exit button ended the program with status 0"

########################################################################
# 2. The wizard, then a game of two persons to its winner
start_game
title=$(find_window "$TITLE" 640x480) || fail "no title screen the second time"

# The geometry and pictures the game window shows at the first throw, from the same board.
(cd "$game_dir" && ./kroda-headless) >"$work/dump.json" 2>"$work/headless.err" <<'SCRIPT' ||
players 2
human 1 Somchai
human 2 Malee
start
wait
dump
SCRIPT
  fail "kroda-headless: $(cat "$work/headless.err")"

next_button() { press "$wizard" wizard.next; sleep 0.7; }
back_button() { press "$wizard" wizard.back; sleep 0.7; }
# The page above the button bar, where the pointer's hover shows.
page() { import -window "$wizard" -crop 480x352+0+0 +repage "$work/page-$1.png"; }
same_page() {
  local a=$1 b=$2 n
  n=$(compare -metric AE "$work/page-$a.png" "$work/page-$b.png" null: 2>&1)
  [ "$n" = "0" ] || fail "going back did not show page $a again ($n pixels differ from $b)"
}
replace_name() {
  xs_retype "$1"
  sleep 0.3
}

press "$title" title.new
wizard=$(find_window "$WIZARD" 480x400) || fail "the new game button opened no wizard"
centred "$wizard" 480 400 "wizard"
sleep 0.3
# Forward through every page: board, bankrupt card, player count, then per player the
# person-or-computer page and the name-and-keys page, and the last page.
page board
pages=(options count controller1 name1 controller2 name2 complete)
for p in "${pages[@]}"; do
  next_button
  page "$p"
  same=$(compare -metric AE "$work/page-$p.png" "$work/page-board.png" null: 2>&1)
  [ "$same" = "0" ] && fail "Next did not leave the board page (at $p)"
done
# ... and back again: each page looks as it did on the way forward.
for p in name2 controller2 name1 controller1 count options board; do
  back_button
  page "back-$p"
  same_page "back-$p" "$p"
done
note "the wizard went forward and back through its ${#pages[@]} pages after the board page"

press "$wizard" wizard.close
gone "$wizard" || fail "Close left the wizard open"
press "$title" title.new
wizard=$(find_window "$WIZARD" 480x400) || fail "no wizard the second time"
sleep 0.5
page again
same_page again board
note "closed and opened again, the wizard starts on its board page"

# Two persons: Somchai at seat 1 (keys S D F), Malee at seat 2 (keys J K L).
next_button                  # options
next_button                  # player count: two
next_button                  # player 1: a person (the default)
next_button                  # player 1's name
replace_name Somchai
page keys1
next_button                  # player 2: a person
next_button                  # player 2's name
replace_name Malee
next_button                  # the last page
press "$wizard" wizard.next # hand over
gone "$wizard" || fail "the wizard did not hand over"
game=$(find_window "$TITLE" 640x480 "$title") || {
  game=$(find_window "$TITLE" 640x480) || fail "no game window after the wizard"
}
centred "$game" 640 480 "game window"
note "the wizard handed over to the game window"

# Each seat's keys: first die (yes), both dice, second die (no).
declare -A key1=([Somchai]=s [Malee]=j) key2=([Somchai]=d [Malee]=k) key3=([Somchai]=f [Malee]=l)
throws=0
offers=0
cards=0
turns=0
winner=""
deed_done=""

# Throws for the named player, by both dice or by each die in turn, and waits for the throw's
# result; a key that came before the window listened is given again.
throw() {
  local who=$1
  for _ in 1 2 3; do
    throws=$((throws + 1))
    if ((throws % 2)); then key "${key2[$who]}"; else key "${key1[$who]}" "${key3[$who]}"; fi
    if next_line 6; then
      case "$step" in
        9) return 0 ;;
        10 | 11) throw "$who"; return 0 ;; # doubles, or a tie in the ranking: throw again
        15) return 0 ;;                     # doubles three times: the turn passes
        *) fail "after $who's throw the narrator said: $message" ;;
      esac
    fi
  done
  fail "$who's keys threw no dice"
}

# Answers a buy offer with the player's first-die key (yes) or second-die key (no).
answer() {
  local who=$1
  offers=$((offers + 1))
  if ((offers % 4 == 0)); then key "${key3[$who]}"; else key "${key1[$who]}"; fi
}

# The card window opens after the narrator's prompt and closes at a key.
close_card() {
  local card=""
  for _ in $(seq 200); do
    card=$(windows_of_game | awk '$2 == 320 && $3 == 160 { print $1 }' | head -n 1)
    [ -n "$card" ] && break
    sleep 0.1
  done
  [ -n "$card" ] || fail "the card prompt opened no card window"
  sleep 0.2
  key space
  gone "$card" || fail "the card window stayed open after a key"
  cards=$((cards + 1))
}

# A deed card opens at a click on a square, follows a drag of its title and closes at "X".
deed_card() {
  local deed at moved places x y
  places=$(sed -n 's/^ *"PicCSource(11).File": "\(.*\)",$/\1/p' "$work/dump.json")
  press "$game" square.1
  deed=$(find_window "$DEED" 340x240) || fail "a click on square 1 opened no deed card"
  centred "$deed" 340 240 "deed card"
  sleep 0.3
  import -window root "$work/deed.png"
  read -r -a at <<<"$(position "$deed")"
  python3 "$here/pictures.py" cell "$work/deed.png" $((at[0] + 8)) $((at[1] + 48)) 96 96 \
    "$places" 5 8 1 >"$work/deed-pictures" ||
    fail "the deed card's picture: $(cat "$work/deed-pictures")"
  read -r x y <<<"$(xs_at deed.title)"
  xs_drag $((at[0] + x)) $((at[1] + y)) $((at[0] + x + 50)) $((at[1] + y + 25))
  sleep 0.3
  moved=$(position "$deed")
  [ "$moved" = "$((at[0] + 50)) $((at[1] + 25))" ] ||
    fail "the deed card dragged by 50,25 from ${at[*]} went to $moved"
  press "$deed" deed.close
  gone "$deed" || fail "the deed card's X left it open"
  deed_done=1
  note "a deed card opened from square 1, showed its picture, followed a drag and closed at X"
}

# The first ranking throw: the window shows what the controls data names.
await_step 3
[[ "$message" == *Somchai* ]] || fail "the first ranking invitation was: $message"
sleep 0.5
import -window root "$work/board.png"
read -r -a at <<<"$(position "$game")"
python3 "$here/pictures.py" board "$work/dump.json" "$work/board.png" "${at[0]}" "${at[1]}" \
  >"$work/board-pictures" || fail "$(cat "$work/board-pictures")"
note "$(tail -n 1 "$work/board-pictures")"
throw Somchai

# Plays to the winner, by the narration.
current=Somchai
deadline=$((SECONDS + 420))
while [ -z "$winner" ]; do
  ((SECONDS > deadline)) && fail "no winner after $turns turns"
  next_line 40 || fail "the narrator fell silent"
  if [[ "$message" == *"เป็นผู้ชนะ"* ]]; then
    winner=$message
    break
  fi
  case "$step" in
    4 | 5 | 6 | 12)
      if [[ "$message" == *Somchai* ]]; then current=Somchai
      elif [[ "$message" == *Malee* ]]; then current=Malee
      else fail "an invitation to nobody: $message"; fi
      if [ "$step" = 12 ]; then
        turns=$((turns + 1))
        [ -z "$deed_done" ] && deed_card
      fi
      throw "$current"
      ;;
    14)
      case "$message" in
        *"O=ซื้อ"*) answer "$current" ;;
        "กดคีย์ใด ๆ เพื่อปิดบัตร") close_card ;;
      esac
      ;;
  esac
done
note "$winner after $turns turns: $throws throws, $offers offers answered, $cards cards closed"

# The toolbar's quit ends the program.
sleep 0.5
press "$game" game.quit
ended_with_0 "the toolbar's quit"

# Nothing on stderr: no complaint of the program or of what it uses.
[ -s "$work/stderr" ] && fail "the game wrote on stderr"
note "passed in $((SECONDS - started)) s"
