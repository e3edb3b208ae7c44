#!/usr/bin/env bash
# A monkey at the game's windows: random clicks, drags and key presses on whatever windows of
# the real program are open (title screen, wizard, game window, card windows, deed cards, the
# about window), under an Xvfb of its own, while the program must stay alive, quiet on stderr
# and answer every window's ping within a second.
#
#   tests/e2e/monkey.sh GAME_DIR SECONDS [SPEED]
#
# The program runs from its title screen with --narration and --speed SPEED (default 20).
# The events lean towards what moves the program on (the wizard's buttons, the dice, the
# players' keys) so that every window gets its turn. They never press what ends the run or
# leaves the program (the title screen's exit and manual buttons, the game window's quit,
# music and manual buttons): those are tried once each at the end, when the music button's
# dialog must close with Escape, the manual must neither end nor hang the program, and the
# quit must close every window with status 0. A game that reaches its winner is played on for
# a while and then ended that way, and a new copy starts.
#
# The random generator's seed is printed; KRODA_MONKEY_SEED repeats the run's choices (the
# program's own timing still varies). KRODA_MONKEY_SHOT names a file for a screenshot of the
# game window; KRODA_E2E_KEEP keeps the run's files. The ping probe is KRODA_XPING, else the
# build's tests/xping beside GAME_DIR, else one compiled here from xping.c.
#
# Exit status 0 passed, 1 failed, 77 skipped (Xvfb, xdotool, ImageMagick or the probe missing).
set -uo pipefail

usage="usage: monkey.sh GAME_DIR SECONDS [SPEED]"
game_dir=$(cd "${1:?$usage}" && pwd) || exit 1
seconds=${2:?$usage}
speed=${3:-20}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "$usage"; exit 1; }
[[ "$speed" =~ ^[0-9]+([.][0-9]+)?$ ]] || { echo "$usage"; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=x_session.sh
. "$here/x_session.sh"

for tool in Xvfb xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "monkey: SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
[ -x "$game_dir/kroda" ] || { echo "monkey: no kroda in $game_dir"; exit 1; }

work=$(mktemp -d)
chmod 700 "$work"
xping=${KRODA_XPING:-$game_dir/../tests/xping}
if ! [ -x "$xping" ]; then
  xping=$work/xping
  if ! cc -O1 -o "$xping" "$here/xping.c" -lX11 2>"$work/cc.err"; then
    echo "monkey: SKIPPED: no ping probe, and xping.c does not build here (libx11-dev)"
    rm -rf "$work"
    exit 77
  fi
fi

# A sanitizer's report must reach stderr and end the program, where the checks see it.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/lsan.supp:print_suppressions=0}

prog_pid=""
started=$SECONDS
cleanup() {
  if [ -n "$prog_pid" ]; then
    kill "$prog_pid" 2>/dev/null
    wait "$prog_pid" 2>/dev/null
  fi
  xs_stop
  if [ -n "${KRODA_E2E_KEEP:-}" ]; then echo "monkey: files kept in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# --- figures
declare -A sent=([click]=0 [drag]=0 [key]=0 [text]=0)
declare -A seen=()    # "kind caption" -> windows of it seen
declare -A known=()   # window id -> 1 once counted
pings=0
slowest=0
slowest_at=""
games=0
copies=0

figures() {
  local k
  count_games
  echo "monkey: $((SECONDS - started)) s, seed $seed, speed $speed, $copies program runs"
  echo "monkey: events sent: ${sent[click]} clicks, ${sent[drag]} drags, ${sent[key]} keys," \
    "${sent[text]} typed texts"
  for k in "${!seen[@]}"; do echo "monkey: windows seen: ${seen[$k]} x $k"; done | sort
  echo "monkey: $pings pings, the slowest answered in $slowest ms${slowest_at:+ ($slowest_at)}"
  echo "monkey: $games games finished"
}

fail() {
  echo "monkey: FAILED after $((SECONDS - started)) s: $*"
  echo "monkey: to repeat the choices: KRODA_MONKEY_SEED=$seed $0 $game_dir $seconds $speed"
  xs_report_failure "$narration" "$work/stderr" "$work/failed.png" 40
  figures
  KRODA_E2E_KEEP=1
  exit 1
}
note() { echo "monkey: $*"; }

xs_start "$work" 2>"$work/xs.err" || fail "$(cat "$work/xs.err")"
: >"$work/stderr"

# --- the seeded choices. Bash gives a subshell a generator of its own, so every choice is
# made in this shell: roll sets R, never from inside $(...).
seed=${KRODA_MONKEY_SEED:-$(((RANDOM << 15 | RANDOM) % 1000000000))}
[[ "$seed" =~ ^[0-9]+$ ]] || fail "KRODA_MONKEY_SEED must be a number"
RANDOM=$seed
note "seed $seed (KRODA_MONKEY_SEED=$seed repeats these choices)"
R=0
roll() { R=$((RANDOM % $1)); }
# Sets R to an index into the weights given, chosen in their proportion.
weighted() {
  local total=0 w i=0
  for w in "$@"; do total=$((total + w)); done
  roll "$total"
  for w in "$@"; do
    ((R < w)) && { R=$i; return; }
    R=$((R - w))
    i=$((i + 1))
  done
}

# --- the program
narration=$work/narration.0
# The desktop's opener of documents, as the program finds it on PATH: this one notes what it
# was asked to open, so that the manual button's request is seen and nothing else starts.
mkdir "$work/bin"
cat >"$work/bin/xdg-open" <<'OPENER'
#!/bin/sh
printf '%s\n' "$*" >>"$(dirname "$0")/../opened"
OPENER
chmod +x "$work/bin/xdg-open"
: >"$work/opened"

start_copy() {
  copies=$((copies + 1))
  narration=$work/narration.$copies
  # A new copy's windows may get the ids the last copy's had.
  known=() main_kind=() main_since=()
  (cd "$game_dir" && PATH=$work/bin:$PATH exec ./kroda --narration --speed "$speed") \
    >"$narration" 2>>"$work/stderr" &
  prog_pid=$!
  winner_at=""
}

# Fails when the program has ended or has written on stderr.
check_program() {
  if [ -s "$work/stderr" ]; then
    fail "the game wrote on stderr"
  fi
  if ! kill -0 "$prog_pid" 2>/dev/null; then
    wait "$prog_pid"
    local status=$?
    prog_pid=""
    fail "the program ended by itself with status $status"
  fi
}

# --- the windows, read afresh before every event: parallel arrays by kind
win_ids=() win_kinds=() win_x=() win_y=() win_w=() win_h=()
declare -A main_kind=() main_since=()

# The title screen and the game window share caption and size: the game window is the one
# whose narration box, yellow, shows near its bottom-left corner. A window is judged afresh
# until it has had three seconds to paint.
title_or_game() {
  local id=$1 x=$2 y=$3 px
  if [ -n "${main_kind[$id]:-}" ]; then
    echo "${main_kind[$id]}"
    return
  fi
  px=$(import -window root -crop "1x1+$((x + 388))+$((y + 468))" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p')
  if [ "$px" = FFFF00 ]; then
    echo game
  else
    echo title
  fi
}

scan() {
  win_ids=() win_kinds=() win_x=() win_y=() win_w=() win_h=()
  local id w h x y cap kind lines i
  local -a caps=()
  lines=$(xs_windows_of "$prog_pid")
  while read -r id w h x y; do
    [ -n "$id" ] || continue
    cap=$(xs_caption "$id") || continue
    win_ids+=("$id") win_w+=("$w") win_h+=("$h") win_x+=("$x") win_y+=("$y") caps+=("$cap")
  done <<<"$lines"
  for i in "${!win_ids[@]}"; do
    cap=${caps[$i]}
    id=${win_ids[$i]}
    case "$cap ${win_w[$i]}x${win_h[$i]}" in
      "$XS_BACKDROP "*) kind=backdrop ;;
      # F11 among the monkey's keys puts the game window in full screen.
      "$XS_TITLE ${XS_SCREEN_W}x$XS_SCREEN_H") kind=fullgame ;;
      "$XS_TITLE 640x480")
        kind=$(title_or_game "$id" "${win_x[$i]}" "${win_y[$i]}")
        [ -n "${main_since[$id]:-}" ] || main_since[$id]=$SECONDS
        if [ "$kind" = game ] || ((SECONDS > main_since[$id] + 3)); then main_kind[$id]=$kind; fi
        ;;
      "$XS_WIZARD "*) kind=wizard ;;
      "$XS_ABOUT "*) kind=about ;;
      "$XS_DEED "*) kind=deed ;;
      "$XS_HOST "*) kind=host ;;
      *" 320x160") kind=card ;;
      *) kind=other ;;
    esac
    win_kinds+=("$kind")
    if [ -z "${known[${win_ids[$i]}]:-}" ]; then
      known[${win_ids[$i]}]=1
      seen["$kind \"$cap\" ${win_w[$i]}x${win_h[$i]}"]=$((${seen["$kind \"$cap\" ${win_w[$i]}x${win_h[$i]}"]:-0} + 1))
    fi
  done
}

# Sets W to the index of the Nth window (counted round) of this kind; false when none is open.
nth_window_of() {
  local i n=$2
  local -a found=()
  for i in "${!win_kinds[@]}"; do
    [ "${win_kinds[$i]}" = "$1" ] && found+=("$i")
  done
  ((${#found[@]} > 0)) || return 1
  W=${found[$((n % ${#found[@]}))]}
}

# Sets W to the index of the first window of this kind; false when none is open.
W=0
window_of() {
  local i
  for i in "${!win_kinds[@]}"; do
    [ "${win_kinds[$i]}" = "$1" ] && { W=$i; return 0; }
  done
  return 1
}

# --- what must not be pressed: the screen rectangles (left top right bottom) of the title
# screen's manual and exit buttons and the game window's toolbar, with a margin, wherever a
# window happens to lie above them (both windows are centred 640 x 480 ones).
ox=$(((XS_SCREEN_W - 640) / 2))
oy=$(((XS_SCREEN_H - 480) / 2))
forbidden=()
for place in title.manual title.exit; do
  read -r x y <<<"$(xs_at "$place")"
  forbidden+=("$((ox + x - 30)) $((oy + y - 30)) $((ox + x + 30)) $((oy + y + 30))")
done
read -r x0 y <<<"$(xs_at game.music)"
read -r x1 _ <<<"$(xs_at game.quit)"
forbidden+=("$((ox + x0 - 16)) $((oy + y - 16)) $((ox + x1 + 16)) $((oy + y + 16))")
pressable() {
  local x=$1 y=$2 r
  local -a b
  ((x >= 0 && y >= 0 && x < XS_SCREEN_W && y < XS_SCREEN_H)) || return 1
  for r in "${forbidden[@]}"; do
    read -r -a b <<<"$r"
    ((x >= b[0] && x <= b[2] && y >= b[1] && y <= b[3])) && return 1
  done
  return 0
}

# --- events, at points of window W (relative to its top-left corner)

click_at() {
  local x=$((win_x[W] + $1)) y=$((win_y[W] + $2)) button=${3:-1}
  pressable "$x" "$y" || return 0
  xs_click_screen "$x" "$y" "$button"
  sent[click]=$((sent[click] + 1))
}

# Clicks at a place of window W that positions.sh names.
click_on() {
  local x y
  read -r x y <<<"$(xs_at "$1")"
  click_at "$x" "$y"
}

# Presses at one point, moves in a few steps to another and releases there.
drag_from_to() {
  local x0=$((win_x[W] + $1)) y0=$((win_y[W] + $2)) x1=$((win_x[W] + $3)) y1=$((win_y[W] + $4))
  pressable "$x0" "$y0" || return 0
  ((x1 = x1 < 0 ? 0 : (x1 >= XS_SCREEN_W ? XS_SCREEN_W - 1 : x1)))
  ((y1 = y1 < 0 ? 0 : (y1 >= XS_SCREEN_H ? XS_SCREEN_H - 1 : y1)))
  roll 5
  xs_drag "$x0" "$y0" "$x1" "$y1" $((R + 2))
  sent[drag]=$((sent[drag] + 1))
}

# A person looks at the window, the window manager gives it the keyboard: with no window
# manager here, the monkey gives it.
key_to() {
  xs_key_to "${win_ids[W]}" "$@" 2>/dev/null
  sent[key]=$((sent[key] + 1))
}

keys=(a b c d e f g h i j k l m n o p q r s t u v w x y z 0 1 2 3 4 5 6 7 8 9
  Left Right Up Down Return Escape space Tab BackSpace Home End F1 F2 F3 F4 F5 F6 F7 F8 F9 F10
  F11 F12 KP_4 KP_5 KP_6 KP_Enter shift+Tab shift+a ctrl+a)
# The players' keys, seat by seat: first die (yes), both dice, second die (no).
player_keys=(s d f j k l Left Down Right KP_4 KP_5 KP_6)
texts=("Somchai" "สมชาย" "Malee Srisuk Longname" "x" "๑๒๓" "A B")

random_key() {
  roll ${#keys[@]}
  key_to "${keys[R]}"
}

random_point_event() {
  local x y
  roll "${win_w[W]}"; x=$R
  roll "${win_h[W]}"; y=$R
  weighted 6 1 3
  case $R in
    0) click_at "$x" "$y" ;;
    1) click_at "$x" "$y" 3 ;;
    2)
      local dx dy
      roll 241; dx=$((R - 120))
      roll 241; dy=$((R - 120))
      drag_from_to "$x" "$y" $((x + dx)) $((y + dy))
      ;;
  esac
}

# --- one event on window W, by its kind
monkey_title() {
  weighted 45 12 28 15
  case $R in
    0) click_on title.new ;;
    1) click_on title.about ;;
    2) random_point_event ;;
    3) random_key ;;
  esac
}

monkey_wizard() {
  weighted 40 8 2 15 6 8 1 20
  case $R in
    0) click_on wizard.next ;;
    1) click_on wizard.back ;;
    2) click_on wizard.close ;;
    3) roll 3; click_on wizard.choice$((R + 1)) ;; # an option or the check box
    4)
      click_on wizard.name
      roll ${#texts[@]}
      xdotool windowfocus "${win_ids[W]}" 2>/dev/null
      xs_retype "${texts[R]}" 2>/dev/null
      sent[text]=$((sent[text] + 1))
      ;;
    5) key_to Return ;;
    6) key_to Escape ;;
    7) roll 2; if ((R)); then random_point_event; else random_key; fi ;;
  esac
}

monkey_game() {
  weighted 35 15 8 5 12 25
  case $R in
    0) roll ${#player_keys[@]}; key_to "${player_keys[R]}" ;;
    1)
      local dice=(game.die1 game.die2 game.dice)
      roll 3
      click_on "${dice[R]}"
      ;;
    2) click_on game.narrator ;;
    3) roll 40; click_on "square.$R" ;;
    4) random_key ;;
    5) random_point_event ;;
  esac
}

monkey_card() {
  weighted 60 40
  if ((R == 0)); then random_key; else random_point_event; fi
}

monkey_deed() {
  weighted 25 20 15 40
  case $R in
    0) click_on deed.close ;;
    1)
      local x y dx dy
      read -r _ y <<<"$(xs_at deed.title)"
      roll 280; x=$((R + 20))
      roll 301; dx=$((R - 150))
      roll 201; dy=$((R - 100))
      drag_from_to "$x" "$y" $((x + dx)) $((y + dy))
      ;;
    2) random_key ;;
    3) random_point_event ;;
  esac
}

monkey_about() {
  weighted 35 10 55
  case $R in
    0) click_on about.close ;;
    1) key_to Escape ;;
    2) random_point_event ;;
  esac
}

# A wizard's network seat opens the host's waiting window; Return asks whether the computer
# should take the empty seats, as nobody will join here.
monkey_host() {
  weighted 30 70
  if ((R == 0)); then key_to Return; else random_point_event; fi
}

monkey_other() {
  weighted 60 40
  if ((R == 0)); then key_to Escape; else random_point_event; fi
}

declare -A kind_weight=([title]=5 [wizard]=10 [game]=8 [card]=10 [deed]=4 [about]=10 [other]=10
  [host]=10 [backdrop]=1)

# One event on one of the open windows, chosen by weight.
monkey_event() {
  local -a weights=()
  local i
  for i in "${!win_kinds[@]}"; do weights+=("${kind_weight[${win_kinds[$i]}]}"); done
  weighted "${weights[@]}"
  W=$R
  case "${win_kinds[W]}" in
    title) monkey_title ;;
    wizard) monkey_wizard ;;
    game) monkey_game ;;
    card) monkey_card ;;
    deed) monkey_deed ;;
    about) monkey_about ;;
    host) monkey_host ;;
    *) random_point_event ;;
  esac
}

# --- the ping of every open window: an answer within 1 s or the run fails
probe() {
  local id ms status caption
  for id in $(xs_window_ids "$prog_pid"); do
    pings=$((pings + 1))
    ms=$("$xping" "$id" 1000 2>>"$work/xping.err")
    status=$?
    case $status in
      0)
        if ((ms > slowest)); then
          slowest=$ms
          slowest_at=$(xs_caption "$id")
        fi
        ;;
      3) pings=$((pings - 1)) ;; # closed in the meantime
      *)
        caption=$(xs_caption "$id") || { pings=$((pings - 1)); continue; }
        fail "the window \"$caption\" ($id) gave no answer to a ping within 1 s"
        ;;
    esac
  done
}

count_games() {
  local n=0 f
  for f in "$work"/narration.*; do
    [ -e "$f" ] || continue
    n=$((n + $(grep -c "เป็นผู้ชนะ" "$f")))
  done
  games=$n
}

# --- the end of a copy: reach the game window, then the music, manual and quit buttons

# Brings the game window up with nothing modal before it and no deed card over its toolbar,
# by the shortest road a person would take; false after 90 s.
reach_game() {
  local limit=$((SECONDS + 90)) tries=0 x y
  while ((SECONDS < limit)); do
    check_program
    scan
    tries=$((tries + 1))
    if window_of card; then
      key_to space
    elif window_of other && window_of host; then
      # The host's question before the computer takes the empty seats: its yes (No has the
      # focus, and Tab brings it to Yes).
      window_of other
      key_to Tab space
    elif window_of fullgame; then
      key_to F11
    elif nth_window_of other "$tries"; then
      # Escape for each of them in turn: a menu or a tooltip of a dialog does not close it.
      key_to Escape
    elif window_of host; then
      key_to Return
    elif window_of about; then
      click_on about.close
    elif window_of deed; then
      read -r x y <<<"$(xs_at deed.close)"
      x=$((win_x[W] + x)) y=$((win_y[W] + y))
      # A deed card dragged off the screen is brought back first.
      if ! pressable "$x" "$y"; then
        xdotool windowmove "${win_ids[W]}" 0 0
        sleep 0.3
        scan
        window_of deed || continue
      fi
      click_on deed.close
    elif window_of wizard; then
      # A name emptied by the monkey would hold the wizard on its name page.
      if ((tries % 4 == 0)); then
        click_on wizard.name
        xdotool windowfocus "${win_ids[W]}" 2>/dev/null
        xs_retype "Seat$tries" 2>/dev/null
      fi
      # The first choice of every page is the short road: a new board, a person.
      click_on wizard.choice1
      click_on wizard.next
    elif window_of game; then
      return 0
    elif window_of title; then
      click_on title.new
    fi
    sleep 0.8
  done
  return 1
}

# Presses a toolbar button of the game window W (music, manual or quit), where the monkey
# never presses.
toolbar() { xs_press "${win_ids[W]}" "game.$1"; }

finish_copy() {
  local game_id dialog="" status i id opened
  reach_game || fail "the game window could not be reached for the last checks"
  window_of game
  game_id=${win_ids[W]}

  # Music: a file dialog opens; Escape closes it and the game goes on.
  toolbar music
  for _ in $(seq 100); do
    check_program
    scan
    if window_of other; then dialog=${win_ids[W]}; break; fi
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "the music button opened no file dialog"
  sleep 0.5
  probe
  xs_key_to "$dialog" Escape
  xs_gone "$dialog" || fail "Escape left the music dialog open"
  sleep 0.5
  check_program
  probe
  note "the music button's dialog opened and closed at Escape"

  # Manual: the opener is asked for the manual, and the program goes on. The game goes on
  # meanwhile, so a card window may have opened over the toolbar.
  reach_game || fail "the game window could not be reached after the music dialog"
  opened=$(wc -l <"$work/opened")
  toolbar manual
  for _ in $(seq 50); do
    (($(wc -l <"$work/opened") > opened)) && break
    sleep 0.1
  done
  tail -n +$((opened + 1)) "$work/opened" | grep -q "/help/help.htm" ||
    fail "the manual button did not ask for help/help.htm: $(tail -n 1 "$work/opened")"
  sleep 1
  check_program
  probe
  scan
  window_of game || fail "the manual button closed the game window"
  note "the manual button asked for the manual and left the program running"

  # Quit: every window closes, the status is 0. A card window that opened just before the
  # press takes it, so the press is given again once the card is closed.
  for _ in 1 2 3; do
    reach_game || fail "the game window could not be reached for the quit"
    toolbar quit
    for _ in $(seq 100); do
      kill -0 "$prog_pid" 2>/dev/null || break 2
      sleep 0.1
    done
  done
  if kill -0 "$prog_pid" 2>/dev/null; then
    fail "the toolbar's quit did not end the program in three presses"
  fi
  wait "$prog_pid"
  status=$?
  prog_pid=""
  [ "$status" -eq 0 ] || fail "the toolbar's quit ended the program with status $status"
  for i in "${!win_ids[@]}"; do
    id=${win_ids[$i]}
    xdotool getwindowname "$id" >/dev/null 2>&1 && fail "window $id stayed after the quit"
  done
  [ -s "$work/stderr" ] && fail "the game wrote on stderr as it ended"
  note "the toolbar's quit closed every window (game window $game_id) with status 0"
}

########################################################################
start_copy
for _ in $(seq 300); do
  scan
  [ ${#win_ids[@]} -gt 0 ] && break
  check_program
  sleep 0.1
done
[ ${#win_ids[@]} -gt 0 ] || fail "no window in 30 s"

end=$((SECONDS + seconds))
next_probe=$((SECONDS + 3))
shot=${KRODA_MONKEY_SHOT:-}
game_seen_at=""
while ((SECONDS < end)); do
  check_program
  if ((SECONDS >= next_probe)); then
    probe
    next_probe=$((SECONDS + 3))
  fi
  scan
  if [ ${#win_ids[@]} -eq 0 ]; then
    sleep 0.1
    continue
  fi
  if [ -n "$shot" ] && window_of game; then
    if [ -z "$game_seen_at" ]; then
      game_seen_at=$SECONDS
    elif ((SECONDS > game_seen_at + 8)); then
      xs_screenshot root "$shot" && note "screenshot of the game window in $shot"
      shot=""
    fi
  fi
  # A won game is played on for a while, then ended, and a new copy begins.
  if [ -z "$winner_at" ] && grep -q "เป็นผู้ชนะ" "$narration"; then
    winner_at=$SECONDS
    note "a game reached its winner after $((SECONDS - started)) s"
  fi
  if [ -n "$winner_at" ] && ((SECONDS > winner_at + 15 && end - SECONDS > 60)); then
    finish_copy
    start_copy
    sleep 1
    continue
  fi
  monkey_event
  roll 150
  sleep "0.$(printf %03d $((R + 20)))"
done

check_program
probe
finish_copy
figures
note "passed"
