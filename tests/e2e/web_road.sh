#!/usr/bin/env bash
# A whole game played from two browsers: a host under Xvfb with two network seats shows its
# waiting window, the road photographs it and reads the page's link from its QR code with
# zbarimg, and web_road.py plays the game from a phone-sized Chromium by taps and a desktop
# one by keys, reloading one page midway. The checks: the link carries the host's port and
# code, each page shows the host's narration byte for byte, the game reaches its winner and
# the host ends as it should.
#
#   tests/e2e/web_road.sh GAME_DIR [SHOTS_DIR]
#
# SHOTS_DIR, when given, receives the pages' screenshots (the README's pictures). Exit status 0
# passed, 1 failed, 77 skipped (a tool is missing).
set -uo pipefail

game_dir=$(cd "${1:?usage: web_road.sh GAME_DIR [SHOTS_DIR]}" && pwd)
shots=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=x_session.sh
. "$here/x_session.sh"
# Debian's own python3, which has Debian's selenium.
python=/usr/bin/python3
for tool in Xvfb xdotool import zbarimg chromium chromedriver "$python"; do
  if ! command -v "$tool" >/dev/null; then
    echo "web_road: SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
if ! "$python" -c 'import selenium' 2>/dev/null; then
  echo "web_road: SKIPPED: python3-selenium is not installed"
  exit 77
fi
[ -x "$game_dir/kroda" ] || { echo "web_road: no kroda in $game_dir"; exit 1; }

work=$(mktemp -d)
chmod 700 "$work"
[ -n "$shots" ] && mkdir -p "$shots"
started=$SECONDS
host=""
cleanup() {
  [ -n "$host" ] && kill "$host" 2>/dev/null
  xs_stop
  if [ -n "${KRODA_E2E_KEEP:-}" ]; then echo "web_road: files kept in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
fail() {
  echo "web_road: FAILED after $((SECONDS - started)) s: $*"
  tail -n 5 "$work/host.out" 2>/dev/null
  tail -n 10 "$work/host.err" 2>/dev/null
  xs_screenshot root "$work/host-failed.png" && echo "(screenshot: $work/host-failed.png)"
  KRODA_E2E_KEEP=1
  exit 1
}

xs_start "$work" 2>"$work/xs.err" || fail "$(cat "$work/xs.err")"
(cd "$game_dir" && XDG_DATA_HOME=$work/data exec ./kroda --host --port 0 --seats nn \
  --narration --speed 8) >"$work/host.out" 2>"$work/host.err" &
host=$!
for _ in $(seq 200); do grep -q '^host-port ' "$work/host.out" 2>/dev/null && break; sleep 0.1; done
read -r _ port _ code < <(grep -m 1 '^host-port ' "$work/host.out") ||
  fail "the host printed no host-port line"

# The link, as a phone's camera reads it from the waiting window.
window=$(xs_find_window "$XS_HOST" 760x320) || fail "the host showed no waiting window"
xs_screenshot "$window" "$work/waiting.png" || fail "the waiting window could not be photographed"
[ -n "$shots" ] && cp "$work/waiting.png" "$shots/web-waiting.png"
link=$(zbarimg --raw -q "$work/waiting.png" 2>/dev/null | head -n 1)
[[ "$link" =~ ^http://[^/]+:$port/#$code$ ]] || fail "the QR code holds '$link', not the page's link"
echo "web_road: the waiting window's QR code holds $link"

"$python" "$here/web_road.py" "$link" "$work" ${shots:+"$shots"} || fail "the browsers' game failed"

# The host quits by its game window's toolbar.
host_window=$(xs_find_window "$XS_TITLE" 640x480 "" 300) || fail "the host shows no game window"
xs_press "$host_window" game.quit
for _ in $(seq 300); do kill -0 "$host" 2>/dev/null || break; sleep 0.1; done
kill -0 "$host" 2>/dev/null && fail "the toolbar's quit left the host running"
wait "$host"
status=$?
host=""
[ "$status" = 0 ] || fail "the host ended with status $status"
[ -s "$work/host.err" ] && fail "the host wrote on stderr: $(head -n 3 "$work/host.err")"
echo "web_road: passed in $((SECONDS - started)) s"
