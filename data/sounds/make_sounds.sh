#!/usr/bin/env bash
# Makes the chart's 46 letter sounds (45 files: RU and LU share one) from letter_names.tsv
# and the 32 vowel forms' sounds from vowel_sounds.tsv, the readings checked by hand: each
# syllable goes to espeak-ng's Thai voice as phonemes ([[...]], never Thai text, whose rules
# misread Thai), alone so that no phrase intonation moves its tone, with the pitch range
# widened so that the tone digits show; the syllables are joined with short silences and
# saved as 11 kHz mono 16-bit WAV, normalised. The files are committed, so users need no
# speech synthesiser; run this again only to change them.
#   needs: espeak-ng and its data (Debian's espeak-ng 1.51 was measured), sox
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Silences at 22050 Hz, espeak-ng's rate: at each end, between the letter's syllable and
# its name's word, and between the syllables of one word. sox -D: no dither, so that the
# same table always gives the same files.
sox -D -n -r 22050 -c 1 -b 16 "$work/edge.wav" trim 0 0.05
sox -D -n -r 22050 -c 1 -b 16 "$work/word.wav" trim 0 0.25
sox -D -n -r 22050 -c 1 -b 16 "$work/syllable.wav" trim 0 0.06

current=
parts=()
previous_word=
count=0

finish() {
    [ -n "$current" ] || return 0
    sox -D "${parts[@]}" "$work/edge.wav" -r 11025 -c 1 -b 16 "$current" norm -1
}

# One file for each run of rows with the same file name. The reading's five columns are for
# people and the test; the phonemes follow from them. The second column is the word number
# of a letter's name (rows of one word are joined by the short silence, words by the long
# one); the vowel table has one row a file, so its second column, the form, joins nothing.
make_files() {
    current=
    previous_word=
    while IFS=$'\t' read -r file word _ _ _ _ _ phonemes _; do
        case "$file" in '' | '#'*) continue ;; esac
        if [ "$file" != "$current" ]; then
            finish
            current=$file
            parts=("$work/edge.wav")
            previous_word=
        fi
        count=$((count + 1))
        espeak-ng -v th -s 120 -m -w "$work/raw$count.wav" \
            "<speak><prosody range=\"x-high\">[[$phonemes]] </prosody></speak>"
        # Only the silence that espeak-ng puts around the syllable goes.
        sox -D "$work/raw$count.wav" "$work/syllable$count.wav" \
            silence 1 0.002 0.05% reverse silence 1 0.002 0.05% reverse
        if [ -n "$previous_word" ]; then
            if [ "$word" = "$previous_word" ]; then
                parts+=("$work/syllable.wav")
            else
                parts+=("$work/word.wav")
            fi
        fi
        parts+=("$work/syllable$count.wav")
        previous_word=$word
    done <"$1"
    finish
}

make_files letter_names.tsv
make_files vowel_sounds.tsv
