#!/usr/bin/env bash
# Builds the Debian package build-pkg/talk_<version>_<arch>.deb (Release, generated voices).
# Install it with:  sudo apt install ./build-pkg/talk_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
talk_install_packages

cmake -S . -B build-pkg -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_BUILD_TYPE=Release -DTALK_BENCH=OFF >/dev/null
# The package holds the program and its voices only, so the tests are not built here.
cmake --build build-pkg --target talk talk_voices
rm -f build-pkg/talk_*.deb
(cd build-pkg && cpack -G DEB >/dev/null)
ls build-pkg/talk_*.deb
