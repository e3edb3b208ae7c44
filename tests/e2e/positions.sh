# Where the places a person presses lie in the program's windows, as "x y" from the window's
# top-left corner: the one list of them for the scripts that press them from outside. Sourced
# by x_session.sh; read with xs_at or pressed with xs_press.
# shellcheck shell=bash

declare -grA XS_AT=(
  # The title screen (640 x 480).
  [title.new]="112 344"
  [title.continue]="224 200"
  [title.join]="416 200"
  [title.about]="248 344"
  [title.manual]="392 344"
  [title.exit]="528 344"
  # The about window (400 x 400).
  [about.close]="202 330"
  # The wizard (480 x 400): its button bar, the name box and the three choices of a page
  # (options, player count, person or computer); the second choice of a controller page is
  # the computer.
  [wizard.close]="360 376"
  [wizard.back]="408 376"
  [wizard.next]="448 376"
  [wizard.name]="272 124"
  [wizard.choice1]="200 164"
  [wizard.choice2]="200 196"
  [wizard.choice3]="200 228"
  # The game window (640 x 480): the toolbar's speed, music, manual, quit and save buttons (the
  # toolbar spans 56..208 x 304..336), the narrator and the two dice and the space between them.
  [game.speed]="72 320"
  [game.music]="96 320"
  [game.manual]="128 320"
  [game.quit]="160 320"
  [game.save]="192 320"
  [game.narrator]="44 436"
  [game.die1]="148 188"
  [game.dice]="200 180"
  [game.die2]="252 188"
  # The deed card (340 x 240): its "X" and a point of its title bar.
  [deed.close]="320 24"
  [deed.title]="100 24"
)

# Prints "x y" of a named place, or of the middle of board square K of the game window for
# "square.K" (0..39: the corners are 48 pixels, the other squares 32).
xs_at() {
  local k x y s=32
  if [[ "$1" =~ ^square\.([0-9]+)$ ]]; then
    k=${BASH_REMATCH[1]}
    if ((k == 0)); then x=344 y=344 s=48
    elif ((k < 10)); then x=$((344 - 32 * k)) y=352
    elif ((k == 10)); then x=8 y=344 s=48
    elif ((k < 20)); then x=16 y=$((344 - 32 * (k - 10)))
    elif ((k == 20)); then x=8 y=8 s=48
    elif ((k < 30)); then x=$((56 + 32 * (k - 21))) y=16
    elif ((k == 30)); then x=344 y=8 s=48
    elif ((k < 40)); then x=352 y=$((56 + 32 * (k - 31)))
    else return 1; fi
    echo "$((x + s / 2)) $((y + s / 2))"
    return 0
  fi
  [ -n "${XS_AT[$1]:-}" ] || { echo "xs_at: no place named $1" >&2; return 1; }
  echo "${XS_AT[$1]}"
}
