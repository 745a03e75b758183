#!/usr/bin/env bash
# Builds Release into build-bench/ and measures the voice and reading figures on a sound server:
# the desktop's (through a private null sink) or a private one (see tools/test_sound_server.sh),
# on PulseAudio and on PipeWire, each on the machine as it is and again with two busy processes
# at normal priority beside it (a busy desktop). Reading as sentences too: speech_bench.
# BENCH_KINDS=pipewire (or pulseaudio) measures one kind of server only.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
source tools/test_sound_server.sh
talk_install_packages
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALK_BENCH=ON >/dev/null
cmake --build build-bench --target listen_bench speech_bench

busy=()
stop_busy() {
    local pid
    for pid in "${busy[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    busy=()
}
trap 'stop_busy; talk_sound_server_stop' EXIT

for kind in ${BENCH_KINDS:-pulseaudio pipewire}; do
    for load in 0 2; do
        talk_sound_server_start $kind
        for ((i = 0; i < load; i++)); do
            sh -c 'while :; do :; done' &
            busy+=($!)
        done
        echo "== $kind, $load busy processes beside it, load average $(cut -d' ' -f1-3 /proc/loadavg)"
        QT_QPA_PLATFORM=offscreen build-bench/bench/listen_bench
        QT_QPA_PLATFORM=offscreen build-bench/bench/speech_bench
        echo "   load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
        stop_busy
    done
done
