#!/usr/bin/env bash
# Drives the real game under Xvfb, with no window manager, by clicks and keys sent from
# outside: the join and about windows open and close, the wizard goes forward and back
# through every kind of page, closes and opens again on its first page, and hands over to the
# game window. Screenshots of the title screen, the join window, each kind of wizard page and
# the about window go to docs/.
#
#   scripts/frontend-screenshots.sh [BUILD_DIR] [OUT_DIR]
#
# Exit status 0 when every step found the window it expected.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source-path=SCRIPTDIR/.. source=tests/e2e/x_session.sh
. tests/e2e/x_session.sh
build=${1:-build}
out=${2:-docs}
game="$build/game/kroda"
[ -x "$game" ] || { echo "no $game: build the game first" >&2; exit 2; }
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done
mkdir -p "$out"

fail() { echo "frontend-screenshots: $*" >&2; exit 1; }

work=$(mktemp -d)
chmod 700 "$work"
game_pid=""
cleanup() {
  [ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true
  xs_stop
  rm -rf "$work"
}
trap cleanup EXIT

xs_start "$work" || fail "no X server"
TITLE=$XS_TITLE
WIZARD=$XS_WIZARD
ABOUT=$XS_ABOUT

# The id of the visible window with this caption and size, waiting up to 10 s.
window() { xs_find_window "$1" "$2" "" 100; }
gone() { xs_gone "$1" 100; }

# Its top-left corner must be where the centring puts it on the 1024 x 768 screen.
centred() {
  local where
  where=$(xs_centred "$1" "$2" "$3") || fail "window $1 stands $where"
}

# Presses a place of a window that positions.sh names; the click sound plays before the
# action, so give it time.
press() {
  xs_press "$@"
  sleep 0.6
}

shot() {
  local id=$1 file=$2
  sleep 0.3
  import -window "$id" "$out/$file"
}

"$game" >"$work/kroda.out" 2>"$work/kroda.err" &
game_pid=$!
title=$(window "$TITLE" 640x480) || fail "no title screen"
centred "$title" 640 480
# The second copy shows nothing and ends at once with status 0.
"$game" 2>"$work/second.err" || fail "a second copy ended with status $?"
grep -q "already running" "$work/second.err" || fail "a second copy did not say why it ended"

# The continue button lifted, its hover text in the description strip.
read -r x y <<<"$(xs_at title.continue)"
xdotool mousemove --window "$title" "$x" "$y"
sleep 0.3
shot "$title" frontend-title.png

# The join window opens over the title screen, centred, and Escape closes it. Its picture
# takes the screen around the title.
press "$title" title.join
join=$(window "เข้าร่วมเกมทางเครือข่าย" 360x267) || fail "no join window"
centred "$join" 360 267
sleep 0.3
import -window root -crop 700x520+162+124 "$out/frontend-join.png"
xs_key Escape
sleep 0.6
gone "$join" || fail "Escape left the join window open"

# The about window opens and closes.
press "$title" title.about
about=$(window "$ABOUT" 400x400) || fail "no about window"
centred "$about" 400 400
shot "$about" frontend-about.png
press "$about" about.close
gone "$about" || fail "the about window stayed open"

next() { press "$1" wizard.next; }
back() { press "$1" wizard.back; }

# The wizard: every kind of page forward, with two players, a person and a computer.
press "$title" title.new
wizard=$(window "$WIZARD" 480x400) || fail "no wizard"
centred "$wizard" 480 400
shot "$wizard" frontend-wizard-board.png
next "$wizard"
shot "$wizard" frontend-wizard-options.png
next "$wizard"
shot "$wizard" frontend-wizard-players.png
next "$wizard"
shot "$wizard" frontend-wizard-controller.png
next "$wizard"
xs_retype Somchai
shot "$wizard" frontend-wizard-person.png
next "$wizard"
press "$wizard" wizard.choice2 # the computer
next "$wizard"
shot "$wizard" frontend-wizard-computer.png
next "$wizard"
shot "$wizard" frontend-wizard-complete.png
# Back through every page to the board page, then Close.
for _ in $(seq 7); do back "$wizard"; done
press "$wizard" wizard.close
gone "$wizard" || fail "Close left the wizard open"

# Opened again, it starts on its first page; Enter is Next, Escape is Close.
press "$title" title.new
wizard=$(window "$WIZARD" 480x400) || fail "no wizard the second time"
import -window "$wizard" "$work/again.png"
compare -metric AE "$work/again.png" "$out/frontend-wizard-board.png" null: 2>"$work/diff" ||
  fail "the wizard opened again on another page ($(cat "$work/diff") pixels differ)"
xs_key Escape
sleep 0.6
gone "$wizard" || fail "Escape left the wizard open"

# Through to the game: two computers.
press "$title" title.new
wizard=$(window "$WIZARD" 480x400) || fail "no wizard the third time"
for key in Return Return Return; do xs_key "$key"; sleep 0.6; done
press "$wizard" wizard.choice2
for key in Return Return Return Return Return; do xs_key "$key"; sleep 0.6; done
gone "$wizard" || fail "the wizard did not hand over"
game_window=$(window "$TITLE" 640x480) || fail "no game window"
centred "$game_window" 640 480
sleep 2
shot "$game_window" frontend-game.png
# The game window's quit button ends the program.
press "$game_window" game.quit
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the quit button did not end the game"
echo "frontend-screenshots: every step passed; pictures in $out/"
