#!/usr/bin/env bash
# The Debian packages Talk's scripts need, and their installation (nothing when all are
# present). Sourced by run.sh, test.sh and tools/package.sh; each installs its lists before
# building.
set -euo pipefail

# What ./run.sh needs to build Talk and run it: the voices are spoken by espeak-ng at build time;
# whole sentences are read by Open JTalk with its dictionary and its voice (Debian's contrib);
# words are learned with MeCab and its dictionary, and the base list of predicted words is made
# from libkkc-data's language model with the marisa tools.
talk_run_packages=(cmake ninja-build g++ pkgconf qt6-base-dev qt6-base-dev-tools
    qt6-multimedia-dev libgl-dev libpulse-dev libarchive-dev qt6-qpa-plugins
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    fonts-ipafont-gothic fonts-noto-cjk espeak-ng
    open-jtalk open-jtalk-mecab-naist-jdic hts-voice-nitech-jp-atr503-m001
    libmecab-dev mecab-ipadic-utf8 libkkc-data marisa python3)
# What tools/package.sh adds: the compiler cache and the Debian package's library dependencies.
talk_package_tools=(ccache dpkg-dev file)
# What ./test.sh adds: the sanitizer and fuzzing compiler, the benchmark library, the package test
# (menu entry, metadata and package checks, a display, clicks and screenshots; xset for the held keys),
# and the sound servers the listening tests start privately (PulseAudio; PipeWire's pulse server
# on a session bus).
talk_test_packages=("${talk_package_tools[@]}" clang libclang-rt-14-dev libbenchmark-dev
    desktop-file-utils appstream lintian xvfb xauth xdotool x11-apps x11-xserver-utils
    pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus)
# The program speaks through the desktop's sound server; a machine with none gets Debian's
# default one.
talk_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
talk_installed pulseaudio || talk_installed pipewire-pulse ||
    talk_run_packages+=(pipewire-pulse wireplumber)
# The voice of the natural speech, from Debian's contrib section.
talk_contrib_voice=hts-voice-nitech-jp-atr503-m001

# Rebuilds of an unchanged file, in any clone's folder, come from the compiler cache.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
# CMake, CPack and espeak-ng read the voice files' names (あ.wav, the full-width space's
# "　.wav") in the locale's encoding: without a UTF-8 locale (LANG unset, as after `su -`) they
# cannot, and C.UTF-8 is on every Debian.
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8

# The machine's Debian sources entries that give main but not contrib (security archives
# aside), as "FILE:ENTRY" the way apt names them; known before the first apt-get update.
talk_entries_without_contrib() {
    local id=""
    id=$(. /etc/os-release && echo "${ID:-}")
    [ "$id" = debian ] || return 0
    # shellcheck disable=SC2016 # apt's own fields, not the shell's
    apt-get indextargets --no-release-info --format '$(SITE) $(RELEASE) $(COMPONENT) $(SOURCESENTRY)' \
        'Identifier: Packages' 'Target-Of: deb' |
        awk '$1 ~ /security/ { next }
             $3 == "contrib" { contrib[$1 " " $2] = 1 }
             $3 == "main" { main[$1 " " $2] = $4 }
             END { for (k in main) if (!(k in contrib)) print main[k] }' | sort -u
}

# The given entry ("FILE:ENTRY") of the machine's sources, for contrib alone: the same mirror,
# suites and keys, in the same format (a deb822 stanza, or one line).
talk_contrib_entry() {
    local file=${1%:*} n=${1##*:}
    case $file in
    *.sources)
        # apt counts the stanzas, passing over those that hold comments only.
        awk -v n="$n" 'BEGIN { RS = ""; FS = "\n" }
            { real = 0; for (i = 1; i <= NF; i++) if ($i !~ /^#/) real = 1 }
            real && ++k == n { for (i = 1; i <= NF; i++) {
                if ($i ~ /^#/) continue
                if ($i ~ /^Components:/) $i = "Components: contrib"
                print $i } }' "$file"
        ;;
    *)
        sed -n "${n}p" "$file" |
            sed -E 's/^(deb(-src)?[[:space:]]+(\[[^]]*\][[:space:]]+)?[^[:space:]]+[[:space:]]+[^[:space:]]+).*/\1 contrib/'
        ;;
    esac
}

# Fills talk_contrib (sources file to add -> its text) for contrib: deb822 stanzas go to
# talkboard-contrib.sources, one-line entries to talkboard-contrib.list.
declare -A talk_contrib=()
talk_contrib_files() {
    local entry file
    talk_contrib=()
    for entry in $(talk_entries_without_contrib); do
        file=/etc/apt/sources.list.d/talkboard-contrib.list
        [[ ${entry%:*} == *.sources ]] && file=${file%.list}.sources
        talk_contrib[$file]+=${talk_contrib[$file]:+$'\n'}$(talk_contrib_entry "$entry")$'\n'
    done
}

# The tests start PulseAudio and PipeWire's pulse server privately, so both get installed; both
# would then start at login and fight over the user's sound. The server the machine had (else
# Debian's default, PipeWire) keeps starting at login; the one added here only for the tests
# does not. Arguments: whether pulseaudio and pipewire-pulse were installed before, then the
# command prefix that runs as root.
talk_keep_login_sound_server() {
    local had_pulseaudio=$1 had_pipewire_pulse=$2
    shift 2
    command -v systemctl >/dev/null 2>&1 || return 0
    talk_installed pulseaudio && talk_installed pipewire-pulse || return 0
    if ((!had_pulseaudio)); then
        "$@" systemctl --global disable pulseaudio.socket pulseaudio.service >/dev/null 2>&1 || true
    elif ((!had_pipewire_pulse)); then
        "$@" systemctl --global disable pipewire-pulse.socket pipewire-pulse.service \
            >/dev/null 2>&1 || true
    fi
}

# Installs the given packages where missing (with sudo when not root; no question is asked).
# A user whom sudo does not admit is told the commands for an administrator instead.
talk_install_packages() {
    local missing=() p
    for p in "$@"; do
        [[ " ${missing[*]} " == *" $p "* ]] || talk_installed "$p" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    talk_contrib=()
    [[ " ${missing[*]} " == *" $talk_contrib_voice "* ]] && talk_contrib_files
    local install="DEBIAN_FRONTEND=noninteractive apt-get install -y -q"
    install+=" -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold"
    local file

    local as_root=(env)
    if [ "$(id -u)" -ne 0 ]; then
        # sudo -v asks for the password once; it fails for a user sudo does not admit.
        if ! command -v sudo >/dev/null 2>&1 || ! sudo -v; then
            echo "Talk's ${0##*/} needs these packages: ${missing[*]}" >&2
            echo "Ask someone with administrator rights to run, as root:" >&2
            for file in "${!talk_contrib[@]}"; do
                printf "    cat >%s <<'EOF'\n%sEOF\n" "$file" "${talk_contrib[$file]}" >&2
            done
            echo "    apt-get update" >&2
            echo "    apt-get install ${missing[*]}" >&2
            return 1
        fi
        as_root=(sudo)
    fi
    for file in "${!talk_contrib[@]}"; do
        echo "Adding Debian's contrib section (for $talk_contrib_voice): $file"
        printf '%s' "${talk_contrib[$file]}" | "${as_root[@]}" tee "$file" >/dev/null
    done
    echo "Installing: ${missing[*]}"
    local had_pulseaudio=0 had_pipewire_pulse=0
    talk_installed pulseaudio && had_pulseaudio=1
    talk_installed pipewire-pulse && had_pipewire_pulse=1
    "${as_root[@]}" apt-get update -qq
    # shellcheck disable=SC2086 # the options are words
    "${as_root[@]}" $install "${missing[@]}"
    talk_keep_login_sound_server $had_pulseaudio $had_pipewire_pulse "${as_root[@]}"
    # Fonts installed late in the run (the X fonts a display server brings) leave fontconfig's
    # cache stale: the program's first start would rebuild it and answer its first press late.
    if command -v fc-cache >/dev/null 2>&1; then
        "${as_root[@]}" fc-cache -s
    fi
}
