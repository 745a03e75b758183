#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and uses the unpacked program
# as a user would: under Xvfb with a fresh HOME it enters "あい" on the board and registers it
# as a sample sentence; Talk.txt must then be in the user's data folder, not beside the
# program. Also validates the menu entry and the AppStream metadata. Leaves nothing behind.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/package.sh >/dev/null
deb=$(ls build-pkg/talk_*.deb)
work=$(mktemp -d)
xvfb_pid="" talk_pid=""
cleanup() {
    local pid
    for pid in $talk_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "package test: $*" >&2
    exit 1
}

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null
[ -f "$root/usr/share/talk/voices/あ.wav" ] || fail "no voice files in /usr/share/talk/voices"
[ -x "$root/usr/bin/talk" ] || fail "no /usr/bin/talk"

home=$work/home
mkdir -p "$home/.config/Talk" "$work/tmp" "$work/runtime"
chmod 700 "$work/runtime"
# One click on the board enters its character.
printf '[OPT]\nOPT1=2\n' >"$home/.config/Talk/Talk.conf"

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.2
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"

env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" TMPDIR="$work/tmp" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    "$root/usr/bin/talk" >"$work/talk.log" 2>&1 &
talk_pid=$!

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^PakoTalk' | head -n 1) ||
    fail "the window did not appear: $(cat "$work/talk.log")"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The window scales its design (15270 x 11115 twips, 15 twips a pixel) to its size.
press() { # press TWIPS_X TWIPS_Y: a click at that place of the design
    local x y
    read -r x y < <(awk -v w="$WIDTH" -v h="$HEIGHT" -v tx="$1" -v ty="$2" -v ox="$X" -v oy="$Y" \
        'BEGIN { s = w / 1018; if (h / 741 < s) s = h / 741
                 printf "%d %d\n", ox + tx * s / 15, oy + ty * s / 15 }')
    xdotool mousemove --sync "$x" "$y" click 1
    sleep 1 # the spoken character holds the window for half a second
}
press 14578 2971  # grdBoard row 0, column 9: あ
press 14578 4114  # grdBoard row 1, column 9: い
press 2272 10402  # cmdSampADD "例文追加"

samples=$home/.local/share/Talk/Talk.txt
for _ in $(seq 50); do
    [ -s "$samples" ] && break
    sleep 0.2
done
[ -s "$samples" ] || fail "no Talk.txt in the user's data folder; $(ls -A "$root/usr/bin")"
iconv -f CP932 -t UTF-8 "$samples" | grep -q '"あい"' ||
    fail "Talk.txt lacks the sentence: $(iconv -f CP932 -t UTF-8 "$samples")"
[ ! -e "$root/usr/bin/Talk.txt" ] || fail "Talk.txt written beside the program"
echo "package test: $(basename "$deb") $(du -k "$deb" | cut -f1) KiB; sentence kept in ~/.local/share/Talk/Talk.txt"
