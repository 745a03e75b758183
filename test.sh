#!/usr/bin/env bash
# Builds Talk (Debug, AddressSanitizer + UndefinedBehaviorSanitizer) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
# The rooms of src/ stand in layers: no include runs up the list in the check.
tools/check_rooms.sh
source tools/setup.sh
source tools/test_sound_server.sh
# Everything, the sound servers included, before the long sanitizer build.
talk_install_packages "${talk_run_packages[@]}" "${talk_test_packages[@]}"

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B build-test -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
    -DCMAKE_BUILD_TYPE=Debug -DTALK_SANITIZE=ON \
    -DTALK_WERROR=$werror -DTALK_BENCH=OFF >/dev/null
cmake --build build-test

export QT_QPA_PLATFORM=offscreen
# The listening tests hear the program through a null sink of its own, on PulseAudio and again
# on PipeWire (the desktop's where it runs that one, else private); the first start comes before
# the runtime folder moves, so a desktop's server is found.
talk_sound_server_start pulseaudio
# Every scratch file of the fuzz runs and the tests (Qt's runtime folder too) goes under one
# folder; it and the sound server are removed however the script ends.
scratch=$(mktemp -d)
trap 'talk_sound_server_stop; rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"
export TMPDIR=$scratch XDG_RUNTIME_DIR=$scratch/runtime
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Short fuzz runs of the file and settings readers (longer: ./fuzz/run.sh 3600).
./fuzz/run.sh "${TALK_FUZZ_SECONDS:-30}"
# The Debian package, built with no locale set (as after `su -`), unpacked and used with a fresh
# HOME; its sound goes to the test sink.
pulse_env=()
for v in PULSE_SERVER PULSE_SINK PULSE_CLIENTCONFIG; do
    [ -n "${!v:-}" ] && pulse_env+=("$v=${!v}")
done
env -i HOME="$HOME" PATH="$PATH" TMPDIR="$TMPDIR" "${pulse_env[@]}" tools/package_test.sh
ctest --test-dir build-test --output-on-failure -j2
talk_sound_server_start pipewire
ctest --test-dir build-test --output-on-failure -R 'tst_listen|tst_recordlive|tst_wavedevice'
