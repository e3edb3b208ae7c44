#!/usr/bin/env bash
# A whole game across the network on one machine, played from outside as people would: a host
# with two network seats and two clients, each program under an Xvfb and a runtime folder of
# its own. Somchai (seat 1, keys S D F) and Malee (seat 2, keys J K L) press their keys on
# their own displays; the host's narration says whose turn it is. Halfway through, while Malee
# must throw, her copy is killed: the host's narrator says the game waits for her, and her
# copy, started again with the same name, takes her seat back with the token it kept, and she
# throws. While Malee plays, Somchai holds a key down for three seconds with his display
# repeating it 50 times a second: his copy stays in the game. The checks: every client prints
# the host's narration line for line (Malee's two runs a prefix and a later stretch of it),
# the game reaches its winner, a wrong code is refused with status 1, and each program ends
# as it should.
#
#   tests/e2e/net_road.sh GAME_DIR
#
# Exit status 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool).
set -uo pipefail

game_dir=$(cd "${1:?usage: net_road.sh GAME_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=x_session.sh
. "$here/x_session.sh"
for tool in Xvfb xdotool xset; do
  if ! command -v "$tool" >/dev/null; then
    echo "net_road: SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
[ -x "$game_dir/kroda" ] || { echo "net_road: no kroda in $game_dir"; exit 1; }

work=$(mktemp -d)
chmod 700 "$work"
started=$SECONDS
declare -A display runtime xvfb pid
cleanup() {
  local who
  for who in "${!pid[@]}"; do [ -n "${pid[$who]}" ] && kill "${pid[$who]}" 2>/dev/null; done
  for who in "${!xvfb[@]}"; do kill "${xvfb[$who]}" 2>/dev/null; done
  if [ -n "${KRODA_E2E_KEEP:-}" ]; then echo "net_road: files kept in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

note() { echo "net_road: $*"; }
fail() {
  local who
  echo "net_road: FAILED after $((SECONDS - started)) s: $*"
  for who in host somchai malee; do
    [ -n "${display[$who]:-}" ] || continue
    echo "--- $who"
    tail -n 5 "$work/$who.out" 2>/dev/null
    tail -n 10 "$work/$who.err" 2>/dev/null
    DISPLAY=${display[$who]} xs_screenshot root "$work/$who-failed.png" &&
      echo "(screenshot: $work/$who-failed.png)"
  done
  KRODA_E2E_KEEP=1
  exit 1
}

# One X session for each program.
for who in host somchai malee; do
  mkdir "$work/$who"
  xs_start "$work/$who" 2>"$work/xs.err" || fail "$(cat "$work/xs.err")"
  display[$who]=$DISPLAY
  runtime[$who]=$XDG_RUNTIME_DIR
  xvfb[$who]=$XS_XVFB_PID
  XS_XVFB_PID=""
done

# Runs kroda for WHO on its display with ARGS; stdout and stderr go to WHO.out and WHO.err.
run() {
  local who=$1
  shift
  (cd "$game_dir" && DISPLAY=${display[$who]} XDG_RUNTIME_DIR=${runtime[$who]} \
    XDG_DATA_HOME=$work/$who/data exec ./kroda "$@") >"$work/$who.out" 2>>"$work/$who.err" &
  pid[$who]=$!
}

# Waits up to 30 s for WHO's program to end; sets `status` to its exit status. (Not to be run
# in a command substitution: a subshell cannot wait for its parent's children.)
status_of() {
  local who=$1
  for _ in $(seq 300); do kill -0 "${pid[$who]}" 2>/dev/null || break; sleep 0.1; done
  kill -0 "${pid[$who]}" 2>/dev/null && return 1
  wait "${pid[$who]}"
  status=$?
  pid[$who]=""
}

# The game window on WHO's display.
game_window() {
  DISPLAY=${display[$1]} xs_find_window "$XS_TITLE" 640x480 "" 300
}

# Presses keys on WHO's display, the pointer resting on its game window's narrator (the
# keyboard goes where the pointer is).
key_for() {
  local who=$1 window
  shift
  window=${windows[$who]}
  DISPLAY=${display[$who]} xs_press "$window" game.narrator >/dev/null 2>&1 || true
  DISPLAY=${display[$who]} xs_key "$@"
}

# --- the host
run host --host --port 0 --seats nn --narration --speed 8
for _ in $(seq 200); do grep -q '^host-port ' "$work/host.out" 2>/dev/null && break; sleep 0.1; done
read -r _ port _ code < <(grep -m 1 '^host-port ' "$work/host.out") ||
  fail "the host printed no host-port line"
if ! [[ "$port" =~ ^[1-9][0-9]*$ && ${#code} -eq 8 ]]; then
  fail "the host's line was: $(grep -m 1 '^host-port ' "$work/host.out")"
fi
note "the host listens on port $port with code $code"

# A wrong code is refused: a message box names it and the copy ends with status 1.
wrong=AAAAAAAA
[ "$code" = "$wrong" ] && wrong=BBBBBBBB
run malee --join "127.0.0.1:$port" --code "$wrong" --name Malee
DISPLAY=${display[malee]} xdotool search --sync --onlyvisible --name '' >/dev/null 2>&1
sleep 2
DISPLAY=${display[malee]} xs_key Return
status_of malee || fail "a wrong code left the client running"
[ "$status" = 1 ] || fail "a client refused for its code ended with status $status"
[ -s "$work/malee.err" ] || fail "a client refused for its code said nothing on stderr"
note "a wrong code was refused: $(tail -n 1 "$work/malee.err")"
: >"$work/malee.err"

# --- the clients join; the game starts when both seats are taken
declare -A windows
# A client's game window opens with the host's, once every seat is taken.
run somchai --join "127.0.0.1:$port" --code "$code" --name Somchai --narration
run malee --join "127.0.0.1:$port" --code "$code" --name Malee --narration
windows[somchai]=$(game_window somchai) || fail "Somchai's copy showed no game window"
windows[malee]=$(game_window malee) || fail "Malee's copy showed no game window"
note "both clients joined"

# --- the host's narration: lines "<ms> <step> <message>"
consumed=0
next_line() {
  local limit=$1 line
  for _ in $(seq $((limit * 20))); do
    line=$(grep -E '^[0-9]+ [0-9]+ ' "$work/host.out" | sed -n "$((consumed + 1))p")
    if [ -n "$line" ]; then
      consumed=$((consumed + 1))
      [[ "$line" =~ ^[0-9]+\ ([0-9]+)\ (.*)$ ]]
      step=${BASH_REMATCH[1]}
      message=${BASH_REMATCH[2]}
      return 0
    fi
    kill -0 "${pid[host]}" 2>/dev/null || fail "the host ended during play"
    sleep 0.05
  done
  return 1
}

declare -A seat=([Somchai]=somchai [Malee]=malee)
declare -A key1 key2 key3
# Each seat has its keys: seat 1 S D F, seat 2 J K L. The two join at once, so either may hold
# seat 1; the first ranking request names its player.
seat_keys() {
  local first=$1 other=Somchai
  [ "$first" = Somchai ] && other=Malee
  key1[$first]=s key2[$first]=d key3[$first]=f
  key1[$other]=j key2[$other]=k key3[$other]=l
}
seat_keys Somchai
throws=0
offers=0
turns=0
rejoined=""
held=""
winner=""

# Throws for the named player on his own display and waits for the throw's result.
throw() {
  local who=$1
  for _ in 1 2 3; do
    throws=$((throws + 1))
    if ((throws % 2)); then
      key_for "${seat[$who]}" "${key2[$who]}"
    else
      key_for "${seat[$who]}" "${key1[$who]}" "${key3[$who]}"
    fi
    if next_line 8; then
      case "$step" in
        9 | 15) return 0 ;;
        10 | 11) throw "$who"; return 0 ;;
        *) fail "after $who's throw the host's narrator said: $message" ;;
      esac
    fi
  done
  fail "$who's keys threw no dice"
}

# Kills Malee's copy while she is to throw: the host's narrator says the game waits for her.
# Started again under the same name, it takes her seat back with the token it kept.
rejoin_malee() {
  kill -KILL "${pid[malee]}"
  wait "${pid[malee]}" 2>/dev/null
  pid[malee]=""
  cp "$work/malee.out" "$work/malee-first.out"
  next_line 20 || fail "the host's narrator fell silent after Malee's copy was killed"
  [[ "$message" == *"เกมหยุดรอ Malee"* ]] ||
    fail "with Malee gone the host's narrator said: $message"
  run malee --join "127.0.0.1:$port" --code "$code" --name Malee --narration
  windows[malee]=$(game_window malee) || fail "Malee's second copy showed no game window"
  rejoined=$consumed
  note "Malee's copy was killed while she was to throw and joined again after $turns turns"
}

# Holds one of Somchai's keys for three seconds while it is not his turn: his display repeats
# it 50 times a second, more than the host takes from anyone, but a client sends no repeats.
hold_somchai_key() {
  local window=${windows[somchai]}
  DISPLAY=${display[somchai]} xset r on r rate 200 50
  DISPLAY=${display[somchai]} xs_press "$window" game.narrator >/dev/null 2>&1 || true
  DISPLAY=${display[somchai]} xdotool keydown "${key2[Somchai]}"
  sleep 3
  DISPLAY=${display[somchai]} xdotool keyup "${key2[Somchai]}"
  held=1
  sleep 0.5
  kill -0 "${pid[somchai]}" 2>/dev/null || fail "Somchai's copy ended while he held a key"
  [ -s "$work/somchai.err" ] && fail "Somchai's copy lost the host as he held a key: $(head -n 1 "$work/somchai.err")"
  note "Somchai held a key for 3 s at 50 repeats a second and stayed in the game"
}

current=Somchai
deadline=$((SECONDS + 600))
while [ -z "$winner" ]; do
  ((SECONDS > deadline)) && fail "no winner after $turns turns"
  next_line 60 || fail "the host's narrator fell silent"
  if [[ "$message" == *"เป็นผู้ชนะ"* ]]; then
    winner=$message
    break
  fi
  case "$step" in
    3 | 4 | 5 | 6 | 12)
      if [[ "$message" == *Somchai* ]]; then current=Somchai
      elif [[ "$message" == *Malee* ]]; then current=Malee
      else continue; fi
      [ "$step" = 3 ] && seat_keys "$current"
      if [ "$step" = 12 ]; then
        turns=$((turns + 1))
        [ -z "$rejoined" ] && [ "$turns" -ge 6 ] && [ "$current" = Malee ] && rejoin_malee
        [ -z "$held" ] && [ "$turns" -ge 4 ] && [ "$current" = Malee ] && hold_somchai_key
      fi
      throw "$current"
      ;;
    14)
      case "$message" in
        *"O=ซื้อ"*)
          offers=$((offers + 1))
          if ((offers % 4 == 0)); then key_for "${seat[$current]}" "${key3[$current]}"
          else key_for "${seat[$current]}" "${key1[$current]}"; fi
          ;;
        # The card window is modal and has the keyboard: the key goes to it, not through
        # the game window behind it.
        "กดคีย์ใด ๆ เพื่อปิดบัตร") sleep 0.3; DISPLAY=${display[${seat[$current]}]} xs_key space ;;
      esac
      ;;
  esac
done
[ -n "$rejoined" ] || fail "the game ended before Malee's copy could join again"
[ -n "$held" ] || fail "the game ended before Somchai could hold a key"
note "$winner after $turns turns: $throws throws, $offers offers answered"

# --- the narrations: each client printed the host's lines
sleep 2
grep -E '^[0-9]+ [0-9]+ ' "$work/host.out" >"$work/host.lines"
cmp -s "$work/host.lines" "$work/somchai.out" ||
  fail "Somchai's narration differs from the host's: $(diff "$work/host.lines" "$work/somchai.out" | head -n 5)"
first=$(wc -l <"$work/malee-first.out")
head -n "$first" "$work/host.lines" | cmp -s - "$work/malee-first.out" ||
  fail "Malee's first narration is no beginning of the host's"
second=$(wc -l <"$work/malee.out")
[ "$second" -gt 0 ] || fail "Malee's second copy printed no narration"
tail -n "$second" "$work/host.lines" | cmp -s - "$work/malee.out" ||
  fail "Malee's second narration is no end of the host's"
note "both clients printed the host's $(wc -l <"$work/host.lines") narration lines"

# --- the end: each client leaves by its toolbar's quit, then the host quits by its own
for who in somchai malee; do
  DISPLAY=${display[$who]} xs_press "${windows[$who]}" game.quit
  status_of "$who" || fail "the toolbar's quit left $who's copy running"
  [ "$status" = 0 ] || fail "$who's copy ended with status $status"
done
host_window=$(game_window host) || fail "the host shows no game window"
DISPLAY=${display[host]} xs_press "$host_window" game.quit
status_of host || fail "the toolbar's quit left the host running"
[ "$status" = 0 ] || fail "the host ended with status $status"
for who in host somchai malee; do
  [ -s "$work/$who.err" ] && fail "$who's copy wrote on stderr: $(head -n 3 "$work/$who.err")"
done
note "passed in $((SECONDS - started)) s"
