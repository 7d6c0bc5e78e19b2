#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the full suite, then the
# logic tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build
(cd build && ctest --output-on-failure -j2)
./scripts/build.sh build-asan -DLUMORA_GUI=OFF -DLUMORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j2 -L logic)
