#!/usr/bin/env bash
# Writes the seed corpora of the fuzz targets from the default board and the reader's error
# cases: make-seeds.sh KRODA_BOARD [KRODA_HEADLESS] (the kroda-board program, and the
# headless driver for the saves). The seeds are kept in git;
# run this again when the board formats change.
set -euo pipefail
cd "$(dirname "$0")"
board_tool=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$board_tool" build ../data/default-board.kroda "$tmp" >/dev/null

sep=$'\n=KRODA-FILE=\n'
header() {  # a BMP header of WIDTH x HEIGHT: all the reader looks at
  python3 -c "import struct,sys; sys.stdout.buffer.write(b'BM'+struct.pack('<IHHII',0,0,0,62,40)+struct.pack('<ii',$1,$2)+bytes(36))"
}
folder_seed() {  # CONFIG_FILE OUT: the default board with CONFIG_FILE as KovarT.dat
  {
    cat "$1"; printf '%s' "$sep"
    cat "$tmp/Treasure.crd"; printf '%s' "$sep"
    cat "$tmp/Fortune.crd"; printf '%s' "$sep"
    header 96 96; printf '%s' "$sep"
    header 192 192; printf '%s' "$sep"
    header 768 480; printf '%s' "$sep"
    header 33 90; printf '%s' "$sep"
    header 90 33; printf '%s' "$sep"
    header 96 150; printf '%s' "$sep"
    header 288 288
  } >"$2"
}

rm -rf corpus/board_folder corpus/board_source corpus/script corpus/save corpus/host_state
mkdir -p corpus/board_folder corpus/board_source corpus/script
config=$tmp/KovarT.dat
folder_seed "$config" corpus/board_folder/default
# The reader's error cases, one change each.
sed '2s/.*/"KOVART"/' "$config" >"$tmp/c1"                     # wrong picture name
sed '9s/,1,/,10,/' "$config" >"$tmp/c2"                        # kind out of range
sed '9s/,600,/,1000000000.0001,/' "$config" >"$tmp/c3"         # money beyond the limit
sed '9s/,600,/,1.23456,/' "$config" >"$tmp/c4"                 # too many decimals
sed '9s/,600,/,,/' "$config" >"$tmp/c5"                        # empty amount
head -n 20 "$config" >"$tmp/c6"                                # ends early
sed '1s/KOVART/Kovart/' "$config" >"$tmp/c7"                   # wrong mark
sed '5s/.*/"..\/Treasure.crd"/' "$config" >"$tmp/c8"           # leaves the folder
sed '9s/"/"\x01/' "$config" >"$tmp/c9"                         # a control character
sed 's/$/\r/' "$config" | tr -d '\n' >"$tmp/c10"               # CR line breaks only
for k in 1 2 3 4 5 6 7 8 9 10; do folder_seed "$tmp/c$k" corpus/board_folder/error-$k; done

src=../data/default-board.kroda
cp "$src" corpus/board_source/default
sed 's/^square  1 .*/square 1 "x" Land 1000000001 0 0 0 0 0 0 0 0 side 0/' "$src" >corpus/board_source/error-money
sed 's/^square  3 .*/square 3 "x" 12 0 0 0 0 0 0 0 0 0 side 2/' "$src" >corpus/board_source/error-kind
sed '/^fortune/d' "$src" >corpus/board_source/error-no-fortune
sed 's/^treasure-file .*/treasure-file "..\/x"/' "$src" >corpus/board_source/error-path
grep -v '^square 39' "$src" >corpus/board_source/error-short

cat >corpus/script/setup <<'SCRIPT'
players 3
human 1 "Somchai"
computer 2
bankruptcard on
seed 7
start
wait 60000
get TalkStep
dice 3 4
key 65
play 60000
dump
SCRIPT
cat >corpus/script/set-fields <<'SCRIPT'
seed 1
start
set Players(1).Money 100000000000000
set Squares(1).Price 1000000000
set TalkStep 12
set InputMode 2
set CurPlayer 2
set TurnQueue "2134"
set Squares(2).Owner 1
set Squares(2).Buildings 5
set Players(1).Owned(1) 2
advance 20000
get Players(1).Money
click ImgTable 5
click ImgIconT 1
click TxtCrd
SCRIPT
cat >corpus/script/errors <<'SCRIPT'
set PlayerCount 9
set TalkStep 99
folder "/no/such"
get Players(5).Name
answer maybe
SCRIPT
# Saves of the default board at moments of several kinds, when the driver is given.
if [ $# -ge 2 ]; then
  headless=$(realpath "$2")
  mkdir -p corpus/save "$tmp/Image"
  header 96 96 >"$tmp/Image/Corners.bmp"
  header 192 192 >"$tmp/Image/Sides.bmp"
  header 768 480 >"$tmp/Image/Places.bmp"
  header 33 90 >"$tmp/Image/Hblocks.bmp"
  header 90 33 >"$tmp/Image/Vblocks.bmp"
  header 96 150 >"$tmp/Image/Stblocks.bmp"
  header 288 288 >"$tmp/Image/CBlock.bmp"
  save_seed() {  # NAME SCRIPT-LINES: a game of the default board, then its save
    printf 'folder %s\n%s\nsave %s\n' "$tmp" "$2" "$PWD/corpus/save/$1" | "$headless" >/dev/null
    [ -s "corpus/save/$1" ] || { echo "no save seed $1" >&2; exit 1; }
  }
  save_seed early $'seed 3\nstart\nadvance 9000'
  save_seed offer $'players 2\nhuman 1\nseed 5\nstart\nwait 600000\ndice 3 3\nkey 68\nwait 600000'
  save_seed late $'players 3\nbankruptcard on\nseed 11\nstart\nplay 2000000\nadvance 1234'

  # A client's view of a host's game: the state at one moment, then each later moment as the
  # merge patch of the save's document, every frame as a host sends it.
  mkdir -p corpus/host_state
  printf 'folder %s\nplayers 2\nhuman 1\nseed 5\nstart\nadvance 3000\nsave %s\nwait 600000\nsave %s\ndice 3 3\nkey 68\nwait 600000\nsave %s\n' \
    "$tmp" "$tmp/m0" "$tmp/m1" "$tmp/m2" | "$headless" >/dev/null
  python3 - "$tmp/m0" "$tmp/m1" "$tmp/m2" >corpus/host_state/offer <<'PY'
import base64, json, sys

def merge_patch(a, b):  # what turns a into b (RFC 7386)
    out = {k: None for k in a if k not in b}
    for k, v in b.items():
        if isinstance(a.get(k), dict) and isinstance(v, dict):
            inner = merge_patch(a[k], v)
            if inner:
                out[k] = inner
        elif k not in a or a[k] != v:
            out[k] = v
    return out

def frame(message):
    return json.dumps(message, ensure_ascii=False, separators=(",", ":"))

saves = [open(name, "rb").read() for name in sys.argv[1:]]
docs = [json.loads(s) for s in saves]
frames = [frame({"type": "state", "save": base64.b64encode(saves[0]).decode()})]
frames += [frame({"type": "moment", "patch": merge_patch(a, b)}) for a, b in zip(docs, docs[1:])]
sys.stdout.buffer.write("\n=FRAME=\n".join(frames).encode())
PY
fi

echo "seeds written to $(pwd)/corpus"
