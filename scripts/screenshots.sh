#!/usr/bin/env bash
# Takes screenshots of the real windows under Xvfb into docs/: the game window with a game
# of two computer players under way, and a deed card opened by a click on a square.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
game="$build/game"
out="$PWD/docs"
mkdir -p "$out"
inner=$(mktemp)
trap 'rm -f "$inner"' EXIT
cat > "$inner" <<INNER
set -e
cd "$game"
./kroda --seats cc --speed 4 & pid=\$!
sleep 6
import -window root -crop 640x480+80+60 "$out/game-window.png"
# A square of the bottom row opens its deed card.
if command -v xdotool >/dev/null; then
  xdotool mousemove $((80+200)) $((60+368)) click 1 || true
  sleep 1
  import -window root -crop 340x240+230+180 "$out/deed-card.png"
fi
kill \$pid
INNER
xvfb-run -a -s "-screen 0 800x600x24 -noreset" bash "$inner"
echo "screenshots in $out"
