#!/usr/bin/env bash
# drive.sh FILE: plays the steps of FILE into the X display, as a person at the mouse would:
#   click X Y     a left click at X, Y of the screen
#   key NAME      a key press (xdotool's key names: Return, space, a, ...)
#   sleep MS      a pause
# Blank lines and lines starting with # are skipped. The benchmarks use it to lead kroda from
# its title screen into a game (bench/*.steps).
set -euo pipefail
while read -r what a b; do
    case "$what" in
        '' | '#'*) ;;
        click) xdotool mousemove "$a" "$b" click 1 ;;
        key) xdotool key "$a" ;;
        sleep) sleep "$(awk -v ms="$a" 'BEGIN { print ms / 1000 }')" ;;
        *) echo "drive.sh: unknown step: $what" >&2; exit 1 ;;
    esac
done <"$1"
