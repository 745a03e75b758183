#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need (nothing when all
# are present). Sourced by run.sh and test.sh.
set -euo pipefail

talk_packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
    libgl-dev libpulse-dev pkgconf espeak-ng fonts-ipafont-gothic fonts-noto-cjk libbenchmark-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good xvfb xauth clang libclang-rt-14-dev)

# Installs the given packages, or else every package above, when missing.
talk_install_packages() {
    local wanted=("${talk_packages[@]}") missing=()
    (($# > 0)) && wanted=("$@")
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}
