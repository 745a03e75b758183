#!/usr/bin/env bash
# Builds Release into build-bench/ and measures the voice and reading figures on a sound server:
# the desktop's (through a private null sink) or a private one (see tools/test_sound_server.sh),
# the voices once on PulseAudio and once on PipeWire, reading as sentences on PulseAudio.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
source tools/test_sound_server.sh
talk_install_packages
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALK_BENCH=ON >/dev/null
cmake --build build-bench --target listen_bench speech_bench
for kind in pulseaudio pipewire; do
    talk_sound_server_start $kind
    QT_QPA_PLATFORM=offscreen build-bench/bench/listen_bench
    [ $kind = pulseaudio ] && QT_QPA_PLATFORM=offscreen build-bench/bench/speech_bench
done
talk_sound_server_stop
