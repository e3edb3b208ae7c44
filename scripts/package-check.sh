#!/usr/bin/env bash
# Checks the Debian package as a user gets it: lintian, desktop-file-validate and appstreamcli
# find no errors; unpacked with dpkg -x into a scratch root, kroda-headless plays a whole seeded
# game from there, run as an unprivileged user, and tells the checked-in transcript byte for
# byte; kroda plays a turn in its window and paints its title screen, each under an Xvfb of its
# own (tests/e2e/x_session.sh); and nothing in the unpacked tree changes.
#   package-check.sh [DEB]   (without DEB, scripts/package.sh builds one)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
# shellcheck source-path=SCRIPTDIR/.. source=tests/e2e/x_session.sh
. tests/e2e/x_session.sh
deb=${1:-}
[ -n "$deb" ] || deb=$(scripts/package.sh | tail -1)
deb=$(realpath "$deb")
fail() { echo "package-check: $*" >&2; exit 1; }

echo "package-check: $deb"
# lintian exits non-zero on errors only; warnings are printed and listed in docs/packaging.md.
lintian_status=0
lintian_out=$(lintian --fail-on error "$deb" 2>&1) || lintian_status=$?
grep -v 'running with root privileges' <<<"$lintian_out" || true
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors"

# dpkg-shlibdeps found every library the window program links; Qt WebSockets is named outright.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libqt6websockets6 libqrencode4 \
    libfluidsynth3 fonts-thai-tlwg timgm6mb-soundfont; do
    grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done

scratch=$(mktemp -d)
trap 'xs_stop; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
root=$scratch/root
dpkg -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop file"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null ||
    fail "AppStream metainfo: $(appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml)"
for size in 48 64 128 256; do
    [ -s "$root/usr/share/icons/hicolor/${size}x${size}/apps/kroda.png" ] || fail "no ${size} icon"
done
for program in kroda kroda-board kroda-headless; do
    [ -x "$root/usr/games/$program" ] || fail "no launcher /usr/games/$program"
    [ -s "$root/usr/share/man/man6/$program.6.gz" ] || fail "no manual page for $program"
done

# The programs run for any user: when this runs as root, they run as nobody.
home=$scratch/home
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
run() { env -i PATH=/usr/bin:/bin HOME="$home" LC_ALL=C "$@"; }

snapshot() { (cd "$root" && find . -printf '%p %y %m %s %T@ %l\n' | sort); }
before=$(snapshot)

transcript=$scratch/transcript.log
run "${as_user[@]}" "$root/usr/games/kroda-headless" --narration \
    "$top/tests/golden/four-computers.script" >"$transcript" ||
    fail "kroda-headless did not play the seeded game through"
cmp -s "$transcript" "$top/tests/golden/four-computers.log" ||
    fail "the installed kroda-headless tells another game than tests/golden/four-computers.log"
echo "package-check: kroda-headless played the seeded game ($(wc -l <"$transcript") lines)"

run "${as_user[@]}" "$root/usr/games/kroda-board" check "$root/usr/lib/games/kroda" >/dev/null ||
    fail "kroda-board finds errors in the installed board"

# kroda is a window program: each check below starts an X server of its own, so that none
# needs a display. The window program has no sound card here either.
sessions=0
xkroda() {
    run "${as_user[@]}" env DISPLAY="$DISPLAY" timeout 60 "$@"
}
# Runs the installed kroda with OPTIONS until a line of FILE (its stdout, or its stderr when
# the name ends in .err) matches PATTERN or it ends: window_run FILE PATTERN OPTIONS...
window_run() {
    local file=$1 pattern=$2
    shift 2
    sessions=$((sessions + 1))
    mkdir "$scratch/x$sessions"
    xs_start "$scratch/x$sessions" || fail "no X server"
    xkroda sh -c 'file=$1 pattern=$2 program=$3; shift 3
                  case $file in
                      *.err) "$program" "$@" >/dev/null 2>"$file" & ;;
                      *) "$program" "$@" >"$file" 2>"$file.err" & ;;
                  esac
                  pid=$!
                  for _ in $(seq 1 500); do
                      grep -q "$pattern" "$file" && break
                      kill -0 $pid 2>/dev/null || break
                      sleep 0.1
                  done
                  kill $pid 2>/dev/null; wait $pid 2>/dev/null' \
        sh "$file" "$pattern" "$root/usr/games/kroda" "$@" || true
    xs_stop
    grep -q "$pattern" "$file"
}

# The game window: two computers play from the installed game folder until the first token
# has walked and the narrator names the square it landed on (step 13), which takes the
# pictures, the board, the sounds and every timer of the window.
narration=$home/kroda.out
window_run "$narration" '^[0-9]* 13 ' --seats cc --speed 100 --narration ||
    fail "the installed kroda did not play a turn in its window: $(cat "$narration.err")"
echo "package-check: kroda played a turn in its window ($(wc -l <"$narration") messages)"

# The title screen: kroda prints "startup-ms N" on standard error at its first painted frame.
err=$home/kroda.err
window_run "$err" '^startup-ms [0-9]' --print-startup ||
    fail "kroda did not paint its title screen: $(cat "$err")"
echo "package-check: kroda painted its title screen ($(grep -m1 '^startup-ms' "$err"))"

[ "$(snapshot)" = "$before" ] || fail "the programs changed files of the installed tree"
echo "package-check: passed"
