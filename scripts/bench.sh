#!/usr/bin/env bash
# Builds the game and the benchmarks' programs (Release, in build-bench/) and prints every
# figure against the bare Qt Widgets baseline measured in the same run: start-up under Xvfb
# and offscreen, resident memory (a game opened by --seats, and the road through the title
# screen and the wizard), idle CPU, the narration pace and the engine's speed. Each
# figure is the median of KRODA_BENCH_RUNS runs (default 20) with its spread (min..max and the
# middle half). Never a timed test: it prints, it does not judge.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source-path=SCRIPTDIR/.. source=tests/e2e/x_session.sh
. tests/e2e/x_session.sh
runs=${KRODA_BENCH_RUNS:-20}
dir=${KRODA_BENCH_DIR:-build-bench}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKRODA_TESTS=OFF -DKRODA_BENCH=ON \
    "${launcher[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)" >/dev/null
game=$(realpath "$dir/game")
bench=$(realpath "$dir/bench")
scratch=$(mktemp -d)
chmod 700 "$scratch"
cleanup() {
    xs_stop
    rm -rf "$scratch"
}
trap cleanup EXIT

# stats: numbers on stdin -> "median M (min A .. max B, middle half P .. Q, n N)"
stats() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) { print "no runs"; exit }
        printf "median %s (min %s .. max %s, middle half %s .. %s, n %d)\n",
            v[int((NR + 1) / 2)] / 2 + v[int(NR / 2) + 1] / 2, v[1], v[NR],
            v[int((NR + 3) / 4)], v[int((3 * NR + 3) / 4)], NR }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] / 2 + v[int(NR / 2) + 1] / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "" || b == "" || b == 0) print "n/a"; else printf "%.2f\n", a / b }'; }
field() { awk -v k="$1" '{ for (i = 1; i < NF; i++) if ($i == k) print $(i + 1) }'; }

echo "Kroda benchmarks: $runs runs each, $(nproc) cores, $(uname -m), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# --- Start-up, memory and idle CPU, under Xvfb and offscreen ---------------------------------
# The X session gives the runs a runtime folder of their own too: the game lets one copy run
# per runtime folder, and Qt wants one.
xs_start "$scratch" || exit 1
xdisplay=$DISPLAY

# launch NAME PLATFORM [kroda-launch options] -- PROGRAM...: one run, its line appended to NAME.
launch() {
    local name=$1 platform=$2
    shift 2
    if [ "$platform" = xcb ]; then
        DISPLAY=$xdisplay QT_QPA_PLATFORM=xcb "$bench/kroda-launch" "$@" >>"$scratch/$name"
    else
        QT_QPA_PLATFORM=offscreen "$bench/kroda-launch" "$@" >>"$scratch/$name"
    fi
}

for platform in xcb offscreen; do
    for _ in $(seq 1 "$runs"); do
        launch "baseline-$platform" "$platform" -- "$bench/kroda-baseline" "$game"
        launch "kroda-$platform" "$platform" -- "$game/kroda" --print-startup
    done
done
for platform in xcb offscreen; do
    label=$([ "$platform" = xcb ] && echo "Xvfb" || echo "offscreen")
    base=$(field first-frame-ms <"$scratch/baseline-$platform" | median)
    echo "Start-up, $label: baseline first frame, ms: $(field first-frame-ms <"$scratch/baseline-$platform" | stats)"
    game_ms=$(field first-frame-ms <"$scratch/kroda-$platform" | median)
    echo "Start-up, $label: kroda title screen, ms:   $(field first-frame-ms <"$scratch/kroda-$platform" | stats)"
    echo "Start-up, $label: ratio kroda / baseline: $(ratio "$game_ms" "$base") (target at most 1.5)"
done
echo

# Memory and idle CPU on the X server: the baseline idle in its window; kroda in a game of
# four players where the person must throw. kroda opens the game window itself (--seats pccc):
# the person is asked for his ranking throw in step 3, and the game then waits for him.
idle_runs=${KRODA_BENCH_IDLE_RUNS:-$(( runs < 20 ? runs : 20 ))}
proc_rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
proc_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
# in_game: one run of kroda at speed 1, its "rss-kb R cpu-percent C" appended to kroda-idle.
in_game() {
    DISPLAY=$xdisplay QT_QPA_PLATFORM=xcb "$game/kroda" --seats pccc --narration \
        >"$scratch/narration" 2>/dev/null &
    local pid=$! waited=0
    until grep -q '^[0-9]* 3 ' "$scratch/narration"; do
        sleep 0.1
        waited=$(( waited + 1 ))
        if [ "$waited" -gt 600 ] || ! kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
            echo "bench: kroda never asked the person to throw" >&2
            return
        fi
    done
    sleep 1
    local rss before after hz
    rss=$(proc_rss "$pid")
    before=$(proc_ticks "$pid")
    sleep 10
    after=$(proc_ticks "$pid")
    hz=$(getconf CLK_TCK)
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    echo "rss-kb $rss cpu-percent $(awk -v t=$(( after - before )) -v hz="$hz" 'BEGIN { printf "%.2f", t / hz / 10 * 100 }')" \
        >>"$scratch/kroda-idle"
}
# on_road: one run of kroda along a person's road: the title screen's new game button, the
# wizard's eight Nexts with its default two persons, then the narrator's ranking throw; its
# "rss-kb R" appended to kroda-road.
on_road() {
    DISPLAY=$xdisplay QT_QPA_PLATFORM=xcb "$game/kroda" --narration >"$scratch/road" 2>/dev/null &
    local pid=$! title wizard _
    if ! title=$(xs_find_window "$XS_TITLE" 640x480) || ! sleep 0.5 ||
        ! xs_press "$title" title.new || ! wizard=$(xs_find_window "$XS_WIZARD" 480x400); then
        kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
        echo "bench: the wizard did not open" >&2
        return
    fi
    sleep 0.3
    for _ in $(seq 8); do
        xs_press "$wizard" wizard.next || true
        sleep 0.7
    done
    for _ in $(seq 600); do
        grep -q '^[0-9]* 3 ' "$scratch/road" && break
        sleep 0.1
    done
    if grep -q '^[0-9]* 3 ' "$scratch/road"; then
        sleep 1
        echo "rss-kb $(proc_rss "$pid")" >>"$scratch/kroda-road"
    else
        echo "bench: kroda never asked the person to throw after the wizard" >&2
    fi
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
}
road_runs=${KRODA_BENCH_ROAD_RUNS:-$idle_runs}
for _ in $(seq 1 "$idle_runs"); do
    launch baseline-idle xcb --settle 1000 --cpu-over 10000 -- "$bench/kroda-baseline" "$game"
    in_game
done
for _ in $(seq 1 "$road_runs"); do on_road; done
base_rss=$(field rss-kb <"$scratch/baseline-idle" | median)
echo "Memory: baseline resident set, kB: $(field rss-kb <"$scratch/baseline-idle" | stats)"
echo "Idle CPU: baseline, % of one core over 10 s: $(field cpu-percent <"$scratch/baseline-idle" | stats)"
if [ -s "$scratch/kroda-idle" ]; then
    where="in a four-player game, a person to throw"
    echo "Memory: kroda $where, kB: $(field rss-kb <"$scratch/kroda-idle" | stats)"
    echo "Memory: ratio kroda / baseline: $(ratio "$(field rss-kb <"$scratch/kroda-idle" | median)" "$base_rss") (target at most 1.3)"
    echo "Idle CPU: kroda $where, % of one core over 10 s: $(field cpu-percent <"$scratch/kroda-idle" | stats) (target at most 1)"
else
    echo "Memory and idle CPU of kroda: not measured: it never asked the person to throw"
fi
if [ -s "$scratch/kroda-road" ]; then
    echo "Memory: kroda through the title screen and the wizard, two persons, the first to throw, kB: $(field rss-kb <"$scratch/kroda-road" | stats)"
    echo "Memory: ratio kroda on that road / baseline: $(ratio "$(field rss-kb <"$scratch/kroda-road" | median)" "$base_rss") (target at most 1.3)"
else
    echo "Memory of kroda through the title screen and the wizard: not measured"
fi
echo

# --- Narration pace on the real clock ---------------------------------------------------------
for _ in $(seq 1 "$runs"); do "$bench/kroda-narration-pace" "$game" >>"$scratch/pace"; done
echo "Narration pace: the 64-character greeting on the real clock at speed 1, ms: $(field greeting-ms <"$scratch/pace" | stats)"
echo "Narration pace: ratio to 65 ticks of 60 ms (3900 ms): $(field ratio <"$scratch/pace" | stats) (target 1 within 1%)"
echo

# --- The engine -----------------------------------------------------------------------------
pin=()
command -v taskset >/dev/null && pin=(taskset -c "$(( $(nproc) - 1 ))")
for _ in $(seq 1 "$runs"); do
    "${pin[@]}" "$game/kroda-bench" 100 1 | awk '/^turns per second:/ { print $4 }' >>"$scratch/engine"
done
echo "Engine: kroda-bench 100 games on one core, turns per second: $(stats <"$scratch/engine") (target at least 100000)"
