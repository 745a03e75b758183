#!/usr/bin/env bash
# Builds Release into build-bench/ and measures how soon a quick answer is heard after its press,
# in the user's own voice and in the sentence voice, on a private PulseAudio and on a private
# PipeWire (see tools/test_sound_server.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
source tools/test_sound_server.sh
talk_install_packages
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALK_BENCH=ON >/dev/null
cmake --build build-bench --target quick_bench
trap talk_sound_server_stop EXIT
for kind in pulseaudio pipewire; do
    talk_sound_server_start $kind
    echo "== $kind, load average $(cut -d' ' -f1-3 /proc/loadavg)"
    QT_QPA_PLATFORM=offscreen build-bench/bench/quick_bench
    talk_sound_server_stop
done
