#!/usr/bin/env bash
# Builds Release and prints the tuning table of the default board: 2000 games of computers for
# each setting (seed 1, at most 1000 turns), how long they last, who wins and what ends the
# players. With --update-readme it also writes the table into README.md between its markers.
#
#   scripts/tuning-table.sh [--update-readme] [--board SOURCE]
#
# GAMES, SEED and MAXTURNS in the environment change the run; KRODA_TUNING_BUILD the build
# folder (default build-release). --board plays another board source instead of the default.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
update=0
source_file=
while [ $# -gt 0 ]; do
    case $1 in
        --update-readme) update=1 ;;
        --board) source_file=$(realpath "$2"); shift ;;
        *) echo "usage: $0 [--update-readme] [--board SOURCE]" >&2; exit 2 ;;
    esac
    shift
done
command -v python3 >/dev/null || { echo "$0: python3 is needed to write the table" >&2; exit 1; }

build=${KRODA_TUNING_BUILD:-$root/build-release}
games=${GAMES:-2000}
seed=${SEED:-1}
maxturns=${MAXTURNS:-1000}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel "$(nproc)" \
    --target kroda-headless kroda-board default_board kroda_pictures_files >/dev/null
folder=$build/game
if [ -n "$source_file" ]; then
    folder=$(mktemp -d)
    cp -r "$build/game/Image" "$folder/"
    "$build/game/kroda-board" build "$source_file" "$folder" >/dev/null
fi

results=$(mktemp)
trap 'rm -f "$results"; [ -z "$source_file" ] || rm -rf "$folder"' EXIT
for setting in "4 off" "4 on" "3 off" "3 on" "2 off" "2 on"; do
    set -- $setting
    printf 'players %s\nbankruptcard %s\nsimulate %s %s %s\n' "$1" "$2" "$games" "$seed" \
        "$maxturns" | "$build/game/kroda-headless" - |
        sed -n 's/^{/{"bankruptCardOn": "'"$2"'", /p' >>"$results"
done

table=$(python3 - "$results" "$games" "$seed" "$maxturns" <<'PY'
import json, sys
rows = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")]
games, seed, maxturns = sys.argv[2:5]
causes = ["rent", "purchase", "building", "tax", "fine", "cardPay", "loseAll", "bankruptCard"]
def setting(r):
    return f"{r['players']} computers, bankrupt card {r['bankruptCardOn']}"
def pct(n, total):
    return f"{100.0 * n / total:.1f}%" if total else "-"
print(f"{games} games each, seed {seed}, at most {maxturns} turns (a turn is each request to throw).")
print()
print("| Game | Won | Median turns | Mean | 95th percentile | Longest | Wins by seat | First bankruptcy (median turn) |")
print("| --- | --- | --- | --- | --- | --- | --- | --- |")
for r in rows:
    t = r["turns"]
    seats = " / ".join(str(w) for w in r["winsBySeat"])
    print(f"| {setting(r)} | {r['won']} | {t['median']:g} | {t['mean']:g} | {t['p95']:g} | "
          f"{t['max']:g} | {seats} | {r['firstBankruptcyTurn']['median']:g} |")
print()
print("What ended the players, as shares of all bankruptcies (cards: the three card causes together):")
print()
print("| Game | Bankruptcies | Rent | Purchase | Building | Tax | Fine | Card payment | Lose-all card | Bankrupt card | Cards |")
print("| --- | --- | --- | --- | --- | --- | --- | --- | --- | --- | --- |")
for r in rows:
    b = r["bankruptcies"]
    total = sum(b.values())
    cards = b["cardPay"] + b["loseAll"] + b["bankruptCard"]
    cells = " | ".join(pct(b[c], total) for c in causes)
    print(f"| {setting(r)} | {total} | {cells} | {pct(cards, total)} |")
PY
)
printf '%s\n' "$table"

if [ "$update" = 1 ]; then
    python3 - "$root/README.md" "$table" <<'PY'
import sys
path, table = sys.argv[1], sys.argv[2]
text = open(path, encoding="utf-8").read()
begin, end = "<!-- tuning table -->", "<!-- end of tuning table -->"
if begin not in text or end not in text:
    sys.exit(f"{path}: the markers {begin} and {end} are missing")
head, rest = text.split(begin, 1)
_, tail = rest.split(end, 1)
open(path, "w", encoding="utf-8").write(head + begin + "\n" + table + "\n" + end + tail)
PY
fi
