#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need (nothing when all
# are present). Sourced by run.sh and test.sh.
set -euo pipefail

talk_packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev
    libgl-dev libpulse-dev pkgconf espeak-ng fonts-ipafont-gothic fonts-noto-cjk libbenchmark-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good xvfb xauth clang libclang-rt-14-dev)
# The Debian package and its test: library dependencies, menu entry and metadata checks, clicks.
talk_packages+=(dpkg-dev file desktop-file-utils appstream xdotool)
# Rebuilds of an unchanged file, in any clone's folder, come from the compiler cache.
talk_packages+=(ccache)
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1

# Installs the given packages, or else every package above, when missing.
talk_install_packages() {
    local wanted=("${talk_packages[@]}") missing=()
    (($# > 0)) && wanted=("$@")
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        # sudo -v asks for the password once; it fails for a user sudo does not admit.
        if ! command -v sudo >/dev/null 2>&1 || ! sudo -v; then
            echo "Talk needs these packages: ${missing[*]}" >&2
            echo "Ask someone with administrator rights to run, as root:" >&2
            echo "    apt-get install ${missing[*]}" >&2
            return 1
        fi
        sudo="sudo"
    fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}
