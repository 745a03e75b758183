#!/usr/bin/env bash
# Selections saved by the predictions: tools/keystrokes.sh PERSONAL TEST (UTF-8 kana sentences,
# one a line). Builds the counting program in Release (build-bench/) and runs it.
set -euo pipefail
if [ $# -ne 2 ]; then
    echo "usage: $0 PERSONAL TEST" >&2
    exit 2
fi
personal=$(realpath "$1")
test=$(realpath "$2")
cd "$(dirname "$0")/.."
source tools/setup.sh
talk_install_packages "${talk_run_packages[@]}"
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALK_BENCH=ON \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build-bench --target keystrokes >/dev/null
build-bench/bench/keystrokes "$personal" "$test"
