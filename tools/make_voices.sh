#!/usr/bin/env bash
# Speaks every board text into the program folder as <text>.wav with espeak-ng.
#
#   make_voices.sh READINGS_TABLE PROGRAM_DIR
#
# READINGS_TABLE has one text per line: the text, a TAB and the kana to speak for it; a line
# with the text alone is spoken as itself; lines starting with # are comments. A text
# "cues/<caption>" is a button's spoken name, written into the folder cues/.
#
# Replacing a voice with a recording: put a WAV named <text>.wav (for example "あ.wav" or
# "(^_^).wav") into the program folder. It is never overwritten: this script writes only files
# that are missing or that it wrote itself, and it records those in PROGRAM_DIR/.generated-voices
# (text, reading and checksum). A listed file whose content no longer matches its checksum has
# been replaced by someone and is left alone from then on.
#
# A generated file is spoken again when its reading in the table changes, and removed when its
# text leaves the table. Without espeak-ng the script says so and succeeds.
set -euo pipefail

if ! command -v espeak-ng >/dev/null 2>&1; then
    echo "espeak-ng not found: voice files not generated; the program stays silent until recordings are added"
    exit 0
fi

table=$1
outdir=$2
manifest=$outdir/.generated-voices
# A little faster than the default so that most readings end within the 0.8 s step of reading a
# text aloud. Part of the manifest: a change here speaks every generated file again.
espeak_args=(-v ja -s 200)
header="# espeak-ng ${espeak_args[*]}"
max_jobs=2

mkdir -p "$outdir" "$outdir/cues"
tmpdir=$(mktemp -d "$outdir/.voices-tmp.XXXXXX")
trap 'rm -rf "$tmpdir"' EXIT

# Prints the checksum of each given file, one a line, in order.
checksums() {
    (($# == 0)) && return 0
    local record
    md5sum --zero -- "$@" | while IFS= read -r -d '' record; do echo "${record%% *}"; done
}

# Files this script wrote earlier: text -> reading, text -> checksum.
declare -A old_reading=() old_sum=()
if [[ -f $manifest ]]; then
    settings_match=false
    { IFS= read -r first_line && [[ $first_line == "$header" ]]; } <"$manifest" && settings_match=true
    while IFS=$'\t' read -r text reading sum; do
        [[ -z $text || $text == \#* ]] && continue
        old_sum[$text]=$sum
        # An empty reading never matches the table, so the file is spoken again.
        $settings_match && old_reading[$text]=$reading
    done <"$manifest"
fi

# Checksums of the listed files as they are now; a mismatch means someone replaced the file.
declare -A current_sum=()
listed=() paths=()
for text in "${!old_sum[@]}"; do
    [[ -f $outdir/$text.wav ]] && listed+=("$text") paths+=("$outdir/$text.wav")
done
mapfile -t found < <(checksums "${paths[@]}")
for k in "${!listed[@]}"; do
    current_sum[${listed[$k]}]=${found[$k]}
done

declare -A in_table=()
texts=() readings=() sums=()
jobs_to_run=() kept=0
while IFS=$'\t' read -r text reading; do
    [[ -z $text || $text == \#* ]] && continue
    [[ ${text#cues/} == */* ]] && continue # not a file name
    in_table[$text]=1
    reading=${reading:-$text}
    file=$outdir/$text.wav
    if [[ -f $file ]]; then
        if [[ ${current_sum[$text]-} != "${old_sum[$text]-none}" ]]; then
            kept=$((kept + 1)) # a recording
            continue
        fi
        if [[ ${old_reading[$text]-} == "$reading" ]]; then
            texts+=("$text") readings+=("$reading") sums+=("${old_sum[$text]}")
            continue
        fi
    fi
    jobs_to_run+=(${#texts[@]})
    texts+=("$text") readings+=("$reading") sums+=("")
done <"$table"

running=0
for i in "${jobs_to_run[@]}"; do
    if ((running >= max_jobs)); then
        wait -n || true
        running=$((running - 1))
    fi
    espeak-ng "${espeak_args[@]}" -w "$tmpdir/$i.wav" --stdin <<<"${readings[$i]}" &
    running=$((running + 1))
done
wait

paths=()
for i in "${jobs_to_run[@]}"; do
    if [[ ! -s $tmpdir/$i.wav ]]; then
        echo "make_voices: espeak-ng could not speak \"${readings[$i]}\" for ${texts[$i]}.wav" >&2
        exit 1
    fi
    paths+=("$tmpdir/$i.wav")
done
mapfile -t found < <(checksums "${paths[@]}")
for k in "${!jobs_to_run[@]}"; do
    i=${jobs_to_run[$k]}
    sums[i]=${found[$k]}
    mv -f "$tmpdir/$i.wav" "$outdir/${texts[$i]}.wav"
done

removed=0
for text in "${!old_sum[@]}"; do
    [[ -n ${in_table[$text]+set} ]] && continue
    if [[ ${current_sum[$text]-} == "${old_sum[$text]}" ]]; then
        rm -f "$outdir/$text.wav"
        removed=$((removed + 1))
    fi
done

# Rewritten on every run: the build uses it as the stamp of this step.
{
    echo "$header"
    for i in "${!texts[@]}"; do
        printf '%s\t%s\t%s\n' "${texts[$i]}" "${readings[$i]}" "${sums[$i]}"
    done
} >"$tmpdir/manifest"
mv -f "$tmpdir/manifest" "$manifest"

if ((${#jobs_to_run[@]} > 0 || removed > 0)); then
    echo "Voices: ${#jobs_to_run[@]} written, $removed removed, $kept recordings kept in $outdir"
fi
