#!/usr/bin/env bash
# Builds the library, its Linux tests and the fuzz targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer into ${SANITIZE_DIR:-build-sanitize}, runs the tests, then runs
# every fuzz/<name>_fuzz target for ${FUZZ_SECONDS:-30} s from its seeds in fuzz/corpus/<name>_fuzz/.
# Exits non-zero on a failing test, a sanitizer report or a fuzzer finding. Used by test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${SANITIZE_DIR:-build-sanitize}
seconds=${FUZZ_SECONDS:-30}

# Objects the library keeps for the life of the process are never freed, by contract.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
    -DCMAKE_CXX_COMPILER=clang++ -DORVO_FUZZ=ON -DORVO_WINE_TESTS=OFF -DORVO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build"
# Left to the plain build: the package check installs and builds a host outside the sanitizers;
# 1,600 writer processes, each starting the sanitizer runtimes, take minutes here; and the file
# probe's helper caps its own address space at 512 MB, far below the shadow memory
# AddressSanitizer maps, so the runs that probe through it cannot start it (the in-process run
# of the same table stays).
(cd "$build" && ctest --output-on-failure --no-tests=error -j2 \
    -E '^(consumer_package|tst_iniwriters|tst_availability|tst_availability_nomediainfo|tst_probehelper|orvodata_classify)$')

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    seeds=fuzz/corpus/$name
    [ -d "$seeds" ] || { echo "sanitize: $name has no seed corpus in $seeds" >&2; exit 1; }
    mkdir -p "$work/$name"
    echo "sanitize: fuzzing $name for $seconds s"
    # New inputs go to the scratch folder; the committed seeds stay as they are.
    "$build/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$work/$name-" "$work/$name" "$seeds" 2>"$work/$name.log" || {
        tail -n 60 "$work/$name.log" >&2
        mkdir -p "$build/fuzz-findings" && cp "$work/$name"-* "$build/fuzz-findings/" 2>/dev/null || true
        echo "sanitize: $name found a fault (inputs kept in $build/fuzz-findings)" >&2
        exit 1
    }
    tail -n 1 "$work/$name.log"
done
