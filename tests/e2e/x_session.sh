# A private X session for the scripts that drive the game's windows from outside: an Xvfb of
# its own (no window manager unless xs_window_manager starts one), a runtime folder and a
# settings folder of its own, the finding, waiting for and
# photographing of windows, and clicks, drags and keys as a person gives them (XTEST), at
# the places positions.sh names. Sourced, not run:
#
#   . tests/e2e/x_session.sh
#   xs_start "$work" || exit 1     # sets DISPLAY and XDG_RUNTIME_DIR
#   trap xs_stop EXIT              # or call xs_stop from the script's own clean-up
#
# Every function returns a status and never exits, so that it serves scripts with and
# without `set -e`.
# shellcheck shell=bash

# shellcheck source-path=SCRIPTDIR source=positions.sh
. "$(dirname "${BASH_SOURCE[0]}")/positions.sh"

# The captions of the program's windows.
# shellcheck disable=SC2034  # used by the scripts that source this file
readonly XS_TITLE="เกมKroda 2.0 Final" XS_WIZARD="Player Wizard" \
  XS_ABOUT="เกี่ยวกับซอฟต์แวร์เกมส์Kroda" XS_DEED="///" XS_BACKDROP=":::" \
  XS_HOST="Kroda : เปิดเกมทางเครือข่าย"
# A script may set its own screen size before it sources this file.
: "${XS_SCREEN_W:=1024}" "${XS_SCREEN_H:=768}"
readonly XS_SCREEN_W XS_SCREEN_H
XS_WM_PID=""
XS_XVFB_PID=""
XS_ROOT=""

# Starts Xvfb in the folder WORK (its log is WORK/xvfb.log), points DISPLAY at it and gives the
# session the runtime folder WORK/runtime: the program lets one copy run per runtime folder,
# so the session's copy neither meets nor blocks one the user is running.
#
# The server runs with -noreset: by default it resets whenever its last client leaves, and a
# client that arrives during the reset (the game, started just after a probe) is refused.
# The display number is drawn at random from 100..999 rather than taken as the lowest free
# one, which is the one most likely to be held by another server sharing this network
# namespace's abstract socket names; and a display counts as started only once a client has
# reached it and read back this session's screen size, else the next number is tried.
xs_start() {
  local work=$1 attempt number _
  : >"$work/xvfb.log"
  for attempt in 1 2 3 4 5 6; do
    number=$(shuf -i 100-999 -n 1)
    : >"$work/display"
    # Xvfb writes the display's number once it is ready to take clients.
    Xvfb ":$number" -displayfd 3 -screen 0 "${XS_SCREEN_W}x${XS_SCREEN_H}x24" \
      -nolisten tcp -noreset 3>"$work/display" >>"$work/xvfb.log" 2>&1 &
    XS_XVFB_PID=$!
    for _ in $(seq 100); do
      [ -s "$work/display" ] && break
      kill -0 "$XS_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if [ -s "$work/display" ] &&
      [ "$(DISPLAY=:$number xdotool getdisplaygeometry 2>/dev/null)" = \
        "$XS_SCREEN_W $XS_SCREEN_H" ]; then
      DISPLAY=:$number
      export DISPLAY
      unset QT_QPA_PLATFORM WAYLAND_DISPLAY XAUTHORITY
      export XDG_RUNTIME_DIR=$work/runtime
      mkdir -m 700 "$XDG_RUNTIME_DIR"
      # Nothing the program remembers (its speed, full screen) comes from or goes to the
      # user's own settings or another script's.
      export XDG_CONFIG_HOME=$work/config
      mkdir -p "$XDG_CONFIG_HOME"
      # A search by process lists the root window too, whatever the process.
      XS_ROOT=$(xdotool search --maxdepth 0 '' 2>/dev/null | head -n 1)
      return 0
    fi
    echo "(attempt $attempt: display :$number could not be reached)" >>"$work/xvfb.log"
    xs_stop
  done
  echo "Xvfb did not start: $(tail -n 20 "$work/xvfb.log")" >&2
  return 1
}

# Starts Debian's openbox on the session, as a desktop has a window manager (frames, full
# screen); waits until it has taken the screen.
xs_window_manager() {
  local _
  command -v openbox >/dev/null || return 1
  openbox --sm-disable >"${XDG_RUNTIME_DIR:-/tmp}/openbox.log" 2>&1 &
  XS_WM_PID=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$XS_WM_PID" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

xs_stop() {
  if [ -n "$XS_WM_PID" ]; then
    kill "$XS_WM_PID" 2>/dev/null
    wait "$XS_WM_PID" 2>/dev/null
  fi
  XS_WM_PID=""
  if [ -n "$XS_XVFB_PID" ]; then
    kill "$XS_XVFB_PID" 2>/dev/null
    wait "$XS_XVFB_PID" 2>/dev/null
  fi
  XS_XVFB_PID=""
  XS_ROOT=""
  return 0
}

# What a script prints when it fails: the last lines of the program's NARRATION and STDERR
# files (LINES of it, default 20), whether the X server still runs, and a photograph of the
# screen into SHOT.
xs_report_failure() {
  local narration=$1 stderr=$2 shot=$3 lines=${4:-20}
  if [ -s "$narration" ]; then
    echo "--- last narration lines"
    tail -n 8 "$narration"
  fi
  if [ -s "$stderr" ]; then
    echo "--- stderr of the game"
    tail -n "$lines" "$stderr"
  fi
  if [ -n "$XS_XVFB_PID" ] && ! kill -0 "$XS_XVFB_PID" 2>/dev/null; then
    echo "--- the X server on $DISPLAY has ended"
  fi
  xs_screenshot root "$shot" && echo "(screenshot: $shot)"
  return 0
}

# "width height left top" of a window.
xs_geometry() {
  local g
  g=$(xdotool getwindowgeometry "$1" 2>/dev/null) || return 1
  sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p' <<<"$g" | tr '\n' ' '
  sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p' <<<"$g"
}

# "left top" of a window.
xs_position() {
  local g
  g=$(xs_geometry "$1") || return 1
  cut -d ' ' -f 3,4 <<<"$g"
}

# The ids of the visible windows of the process PID.
xs_window_ids() {
  xdotool search --onlyvisible --pid "$1" '' 2>/dev/null | grep -vx "${XS_ROOT:-none}"
  return 0
}

# The visible top-level windows of the process PID, as "id width height left top" lines.
xs_windows_of() {
  local id g
  for id in $(xs_window_ids "$1"); do
    g=$(xs_geometry "$id") || continue
    [ -n "$g" ] && echo "$id $g"
  done
  return 0
}

# The caption of a window.
xs_caption() { xdotool getwindowname "$1" 2>/dev/null; }

# Waits up to TENTHS tenths of a second (default 200) for a visible window with this caption
# and size ("640x480") whose id is not in the blank-separated EXCEPT list; prints its id.
xs_find_window() {
  local name=$1 size=$2 except=${3:-} tenths=${4:-200} id g _
  for _ in $(seq "$tenths"); do
    for id in $(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null); do
      [[ " $except " == *" $id "* ]] && continue
      g=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: //p')
      if [ "$g" = "$size" ]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}

# Waits up to TENTHS tenths of a second (default 200) for the window ID to be hidden or gone.
xs_gone() {
  local id=$1 tenths=${2:-200} _
  for _ in $(seq "$tenths"); do
    xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$id" || return 0
    sleep 0.1
  done
  return 1
}

# Whether a window of WIDTH x HEIGHT stands where centring puts it on the screen; says where
# it stands otherwise.
xs_centred() {
  local id=$1 w=$2 h=$3 at
  at=$(xs_position "$id") || return 1
  [ "$at" = "$(((XS_SCREEN_W - w) / 2)) $(((XS_SCREEN_H - h) / 2))" ] && return 0
  echo "at $at, not centred for ${w}x$h"
  return 1
}

# Photographs a window (an id, or "root" for the whole screen) into FILE.
xs_screenshot() {
  import -window "$1" "$2" 2>/dev/null
}

# --- mouse and keys, as a person gives them

# Presses and releases mouse BUTTON (default 1) at a point of the screen; the pointer rests
# there a moment first, so that the window sees it arrive before the press.
xs_click_screen() {
  local x=$1 y=$2 button=${3:-1}
  xdotool mousemove "$x" "$y" || return 1
  sleep 0.05
  xdotool mousedown "$button"
  sleep 0.05
  xdotool mouseup "$button"
}

# Clicks at X Y of the window ID, with BUTTON (default 1).
xs_click() {
  local id=$1 x=$2 y=$3 button=${4:-1} at
  read -r -a at <<<"$(xs_position "$id")"
  [ ${#at[@]} -eq 2 ] || return 1
  xs_click_screen $((at[0] + x)) $((at[1] + y)) "$button"
}

# Clicks at the place of the window ID that positions.sh names PLACE ("title.about",
# "square.5"), with BUTTON (default 1).
xs_press() {
  local id=$1 place=$2 button=${3:-1} x y
  read -r x y <<<"$(xs_at "$place")" || return 1
  xs_click "$id" "$x" "$y" "$button"
}

# Presses the left button at one point of the screen, moves in STEPS even steps (default 5)
# to another and releases there.
xs_drag() {
  local x0=$1 y0=$2 x1=$3 y1=$4 steps=${5:-5} n
  xdotool mousemove "$x0" "$y0" || return 1
  sleep 0.05
  xdotool mousedown 1
  for ((n = 1; n <= steps; n++)); do
    xdotool mousemove $((x0 + (x1 - x0) * n / steps)) $((y0 + (y1 - y0) * n / steps))
    sleep 0.05
  done
  xdotool mouseup 1
}

# Presses and releases keys (xdotool's names), one after another; the keyboard goes where the
# pointer is, there being no window manager to give it.
xs_key() { xdotool key --delay 40 "$@"; }

# Gives the window ID the keyboard, then presses the keys.
xs_key_to() {
  xdotool windowfocus "$1" 2>/dev/null
  shift
  xs_key "$@"
}

# Types TEXT into the window that has the keyboard, after emptying a line edit there.
xs_retype() {
  xs_key ctrl+a BackSpace
  xdotool type --delay 50 "$1"
}
