#!/usr/bin/env bash
# Builds Talk (Release, voices generated into the program folder) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
talk_install_packages "${talk_run_packages[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target talk

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: set DISPLAY (or run under xvfb-run) to start Talk." >&2
    exit 1
fi
exec build/program/talk
