#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a plain build and one under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

scripts/build.sh build
(cd build && ctest --output-on-failure --parallel "$(nproc)")

scripts/build.sh build-sanitize -DKRODA_SANITIZE=ON
(cd build-sanitize && ctest --output-on-failure --parallel "$(nproc)")

# The rules' invariants after every event of 300 seeded games, under the sanitizers (~2 min).
if ! printf 'folder build-sanitize/game\nsimulate 300 1 2000 --check\n' |
  build-sanitize/game/kroda-headless >build-sanitize/check.log 2>&1; then
  tail -c 4000 build-sanitize/check.log
  exit 1
fi

# Robustness, bounded: each fuzz target for a minute.
scripts/fuzz.sh 60

# The Debian package, built in build-package/ and checked as a user gets it.
bash scripts/package-check.sh
