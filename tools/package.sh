#!/usr/bin/env bash
# Builds the Debian package build-pkg/talkboard_<version>_<arch>.deb (Release, generated voices)
# and prints its path. Install it with:  sudo apt install ./build-pkg/talkboard_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
talk_install_packages "${talk_run_packages[@]}" "${talk_package_tools[@]}"

cmake -S . -B build-pkg -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_BUILD_TYPE=Release -DTALK_BENCH=OFF >/dev/null
# The package holds the program and its voices only, so the tests are not built here.
cmake --build build-pkg --target talk talk_voices
# Made in a folder of its own and moved into place whole: a failed run leaves the previous
# package as it was.
staging=$(mktemp -d "$PWD/build-pkg/cpack.XXXXXX")
trap 'rm -rf "$staging"' EXIT
(cd build-pkg && cpack -G DEB -B "$staging" >/dev/null)
debs=("$staging"/talkboard_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "package.sh: CPack made no package" >&2
    exit 1
fi
mv -f "${debs[0]}" build-pkg/
echo "build-pkg/${debs[0]##*/}"
