#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# in build-fuzz/ and runs each for SECONDS (default 60) on its seed corpus and dictionary.
# Exits non-zero when a target finds a crash, a leak, a timeout or a broken expectation; the
# input that found it is left in build-fuzz/findings/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     targets: board_folder board_source script save
#                                             host_messages host_state http_request
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(board_folder board_source script save host_messages host_state http_request)

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DKRODA_FUZZ=ON -DKRODA_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
mkdir -p build-fuzz/findings
status=0
for t in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$t
  mkdir -p "$corpus"
  echo "== fuzz_$t for ${seconds}s"
  # A save holds the whole board and window: its seeds, and a host's state that carries one,
  # are larger than the other inputs.
  max_len=32768
  case $t in save | host_state) max_len=262144 ;; esac
  set +e
  build-fuzz/fuzz/fuzz_"$t" "$corpus" fuzz/corpus/"$t" -dict=fuzz/"$t".dict \
    -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len="$max_len" \
    -print_final_stats=1 -artifact_prefix=build-fuzz/findings/"$t"- >build-fuzz/"$t".log 2>&1
  rc=$?
  set -e
  grep -E '^#[0-9]+ +DONE|^stat::(number_of_executed_units|peak_rss_mb)|^SUMMARY|fuzz finding|^==[0-9]+==ERROR' \
    build-fuzz/"$t".log || true
  if [ $rc -ne 0 ]; then
    echo "fuzz_$t found something (status $rc); see build-fuzz/$t.log and build-fuzz/findings/" >&2
    status=1
  fi
done
exit $status
