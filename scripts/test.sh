#!/usr/bin/env bash
# Builds everything and runs every test: the Qt suites, the installed-package consumer check and
# the Windows backends under Wine; then the same Linux tests and the fuzz targets under the
# sanitizers (sanitize.sh). Exits non-zero when a test fails or none ran.
set -euo pipefail
cd "$(dirname "$0")/.."
export BUILD_DIR=${BUILD_DIR:-build}
bash scripts/build.sh
(cd "$BUILD_DIR" && ctest --output-on-failure --no-tests=error -j2)
bash scripts/sanitize.sh
