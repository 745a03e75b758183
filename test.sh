#!/usr/bin/env bash
# Builds Talk (Debug, AddressSanitizer + UndefinedBehaviorSanitizer) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
source tools/test_sound_server.sh
talk_install_packages

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALK_SANITIZE=ON \
    -DTALK_WERROR=$werror -DTALK_BENCH=OFF >/dev/null
cmake --build build-test

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Short fuzz runs of the file and settings readers (longer: ./fuzz/run.sh 3600).
./fuzz/run.sh "${TALK_FUZZ_SECONDS:-30}"
# The listening tests hear the program through a private null sink, removed on exit.
talk_sound_server_start
ctest --test-dir build-test --output-on-failure -j2
