#!/usr/bin/env bash
# The rooms of src/, lowest first. A file may include headers of its own room and of the rooms
# listed above it, never of one below: so no two rooms include each other, directly or through
# others, and a change in a room rebuilds only what stands on it. src/main.cpp stands on all.
set -euo pipefail
cd "$(dirname "$0")/.."

rooms=(
    platform # the seams to Qt and the system: grids, sound, settings, keys, clock, files
    core     # what every part shares: the options and module state, the services, the screen areas, the shared captions
    predict  # the predictor: saved sentences, the words learned from the user's texts, the base list
    dialogs  # the question box and the notice that an unreadable file's original was kept
    compose  # the composition text and the caret pad
    voice    # the character voices, the sentence speech, the reading of the text and the readings of the voice texts
    strip    # the prediction strip beside the composition and the taking of a candidate
    boards   # the character boards and the selection screen
    record   # the user's own voice: the recording screen and the kept takes
    diary    # the dated diary, its file and its list
    samples  # the sample sentences, their list over the board, the predictions and the list stepping
    transfer # the user's data in one file: the export, the checked import with its backup, the daily copy
    partner  # the partner's view: the composition and the last sentence said, large, in a window of its own
    quick    # the quick answers: their band, saying them in the best voice there is, and their dialog
    access   # switch scanning, dwell, the switch keys and the call for help: they reach every control
    app      # the composition root: the main window that builds and wires the rooms, and the options dialog
)

declare -A rank
for i in "${!rooms[@]}"; do
    rank[${rooms[$i]}]=$i
done

status=0
while IFS= read -r file; do
    from=${file#src/}
    from=${from%%/*}
    if [ "$file" = src/main.cpp ]; then
        from_rank=${#rooms[@]}
    elif [ -n "${rank[$from]+set}" ]; then
        from_rank=${rank[$from]}
    else
        echo "$file: src/$from is not in the list of rooms in $0" >&2
        status=1
        continue
    fi
    while IFS= read -r included; do
        to=${included%%/*}
        [ -n "${rank[$to]+set}" ] || continue
        if [ "${rank[$to]}" -gt "$from_rank" ]; then
            echo "$file includes \"$included\": $to stands above $from in $0" >&2
            status=1
        fi
    done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^"]+)".*/\1/p' "$file")
done < <(find src -name '*.cpp' -o -name '*.h' | sort)
exit $status
