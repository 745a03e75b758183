#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 30).
# Long run: ./fuzz/run.sh 3600
set -euo pipefail
cd "$(dirname "$0")"
seconds=${1:-30}
cmake -S . -B ../fuzz-build -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build ../fuzz-build
# The corpora and the targets' own scratch folders go under one folder, removed however the
# script ends.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch
# ASan keeps freed memory back to catch a late use (256 MB of it by default, counted by the
# bytes asked for): the targets' many small allocations take several times that in real
# memory, so a long run climbed past 1 GB towards libFuzzer's limit. One input's allocations
# are a few kilobytes, so 64 MB still catches every use after free within a run.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=64"
for target in samplefile diaryfile settings wav; do
    work=$(mktemp -d)
    cp corpus/$target/* "$work"/ 2>/dev/null || true
    echo "fuzz_$target: ${seconds}s"
    ../fuzz-build/fuzz_$target -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -print_final_stats=1 "$work" 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|crash' || true
    [ -z "$(ls ../fuzz-build/crash-* ../fuzz-build/oom-* ../fuzz-build/timeout-* 2>/dev/null; ls crash-* oom-* timeout-* 2>/dev/null)" ] || { echo "fuzz_$target found a fault"; exit 1; }
done
