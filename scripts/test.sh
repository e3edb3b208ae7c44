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

# The Debian package, built in build-package/ and checked as a user gets it.
bash scripts/package-check.sh
