#!/usr/bin/env bash
# Takes screenshots of the real windows under Xvfb into docs/: the game window with a game
# of two computer players under way, and a deed card opened by a click on a square.
# Usage: scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]   (defaults: build, docs)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source-path=SCRIPTDIR/.. source=tests/e2e/x_session.sh
. tests/e2e/x_session.sh
build=${1:-build}
out=$(mkdir -p "${2:-docs}" && cd "${2:-docs}" && pwd)
game=$(realpath "$build/game")
[ -x "$game/kroda" ] || { echo "no $game/kroda: build the game first" >&2; exit 2; }
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done
fail() { echo "screenshots: $*" >&2; exit 1; }

work=$(mktemp -d)
chmod 700 "$work"
pid=""
cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  xs_stop
  rm -rf "$work"
}
trap cleanup EXIT
xs_start "$work" || fail "no X server"

(cd "$game" && exec ./kroda --seats cc --speed 4) >/dev/null 2>"$work/kroda.err" &
pid=$!
window=$(xs_find_window "$XS_TITLE" 640x480) || fail "no game window: $(cat "$work/kroda.err")"
sleep 6
xs_screenshot "$window" "$out/game-window.png" || fail "no picture of the game window"
# A square of the bottom row opens its deed card.
xs_press "$window" square.5
deed=$(xs_find_window "$XS_DEED" 340x240) || fail "a click on square 5 opened no deed card"
sleep 1
xs_screenshot "$deed" "$out/deed-card.png" || fail "no picture of the deed card"
echo "screenshots in $out"
