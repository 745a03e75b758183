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
for target in samplefile diaryfile settings wav; do
    work=$(mktemp -d)
    cp corpus/$target/* "$work"/ 2>/dev/null || true
    echo "fuzz_$target: ${seconds}s"
    ../fuzz-build/fuzz_$target -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -print_final_stats=1 "$work" 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|crash' || true
    [ -z "$(ls ../fuzz-build/crash-* ../fuzz-build/oom-* ../fuzz-build/timeout-* 2>/dev/null; ls crash-* oom-* timeout-* 2>/dev/null)" ] || { echo "fuzz_$target found a fault"; exit 1; }
done
