#!/usr/bin/env bash
# Builds the library and runs orvodata on the embedded sample environment.
# With arguments, runs `orvodata ARGS...`; without, a tour of what it answers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
orvodata="${BUILD_DIR:-build}/tools/orvodata/orvodata"
if [ $# -gt 0 ]; then
    exec "$orvodata" "$@"
fi
for command in "paths" "catalogue --section commonApp" "scan" "initial 教师"; do
    echo "\$ orvodata $command"
    # shellcheck disable=SC2086
    "$orvodata" $command || true
    echo
done
