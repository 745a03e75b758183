#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and uses the unpacked program
# as a user would: under Xvfb with a fresh HOME it enters "あい" on the board and registers it
# as a sample sentence; Talk.txt must then be in the user's data folder, not beside the
# program. Also validates the menu entry, the AppStream metadata and the package's copyright
# file. Leaves nothing behind.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=$(tools/package.sh | tail -n 1)
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
appstreamcli validate --pedantic --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null
# The licence must reach whoever gets the package: lintian finds no fault in its copyright file.
copyright_faults=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -E '^[EW]: .*copyright' || true)
[ -z "$copyright_faults" ] || fail "the package's copyright file: $copyright_faults"
[ -f "$root/usr/share/talkboard/voices/あ.wav" ] || fail "no voice files in /usr/share/talkboard/voices"
[ -x "$root/usr/bin/talkboard" ] || fail "no /usr/bin/talkboard"
[ ! -e "$root/usr/bin/talk" ] || fail "/usr/bin/talk would replace Debian's talk"

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
    "$root/usr/bin/talkboard" >"$work/talk.log" 2>&1 &
talk_pid=$!

# The program says when its window first takes presses: drawn, and past the moment in which a
# control that has just appeared ignores presses. A click before then would be lost.
until grep -qs '^Talk: ready' "$work/talk.log"; do
    kill -0 "$talk_pid" 2>/dev/null || fail "the program ended: $(cat "$work/talk.log")"
    sleep 0.1
done
window=$(timeout 10 xdotool search --sync --onlyvisible --name '^PakoTalk' | head -n 1) ||
    fail "no window, though the program said it was ready: $(cat "$work/talk.log")"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The window scales its design (15270 x 11115 twips, 15 twips a pixel) to its size.
scale=$(awk -v w="$WIDTH" -v h="$HEIGHT" 'BEGIN { s = w / 1018; if (h / 741 < s) s = h / 741; print s }')
pixels() { awk -v s="$scale" -v t="$1" 'BEGIN { printf "%d\n", t * s / 15 }'; }

# The colour at that place of the design (twips) in the window, as rrggbb.
colour_at() {
    local x y header order bits bpl colours
    x=$(pixels "$1") y=$(pixels "$2")
    xwd -silent -id "$window" >"$work/shot.xwd"
    # The XWD header, big-endian 32-bit words: 0 its size, 7 byte order, 11 bits a pixel, 12 bytes
    # a row, 19 colour entries.
    read -r header order bits bpl colours < <(od -An -v -tu1 -N 80 -w80 "$work/shot.xwd" |
        awk '{ for (i = 0; i < 20; i++) w[i] = (($(4*i+1)*256 + $(4*i+2))*256 + $(4*i+3))*256 + $(4*i+4)
               print w[0], w[7], w[11], w[12], w[19] }')
    [ "$order $bits" = "0 32" ] || fail "a screen of $bits bits a pixel, byte order $order"
    od -An -tx1 -j $((header + colours * 12 + y * bpl + x * 4)) -N 3 "$work/shot.xwd" |
        awk '{ print $3 $2 $1 }'
}

# A click on the board cell centred at that place of the design (twips), and the wait until the
# board has handled it: only then is the cell drawn in the desktop blue (Units::colourFromBgr),
# and the board takes the next press (presses during the spoken character are ignored). A click
# the board does not take fails the test.
press_board() {
    local _
    xdotool mousemove --sync $((X + $(pixels "$1"))) $((Y + $(pixels "$2"))) click 1
    for _ in $(seq 100); do
        # The cell's top left corner, beside its character.
        [ "$(colour_at $(($1 - 600)) $(($2 - 450)))" = 3a6ea5 ] && return 0
        sleep 0.1
    done
    fail "the board did not take the click on $3: $(cat "$work/talk.log")"
}
press_board 14578 2971 あ # grdBoard row 0, column 9
press_board 14578 4114 い # grdBoard row 1, column 9
xdotool mousemove --sync $((X + $(pixels 2272))) $((Y + $(pixels 10402))) click 1 # cmdSampADD "例文追加"

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
