#!/usr/bin/env bash
# Configures and builds into ${BUILD_DIR:-build}. Used by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
    -DORVO_WINE_TESTS="${ORVO_WINE_TESTS:-ON}" >/dev/null
cmake --build "$build"
