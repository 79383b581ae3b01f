#!/usr/bin/env bash
# Makes the chart's 46 letter sounds (45 files: RU and LU share one) from letter_names.tsv
# and the 32 vowel forms' sounds from vowel_sounds.tsv, the readings checked by hand. Each
# file's syllables, as written (the tables' last column), go to the kit's own voice: the
# built `thai-kit say WORD --wav FILE` reads them and says each syllable alone through eSpeak
# NG's Thai voice as phonemes (never Thai text, whose rules misread Thai), with the pitch
# range widened so that the tone digits show, and joins them with short silences, as the
# programs say a word (platform/espeak_voice.h). Here the sound is only made 11 kHz mono
# 16-bit and normalised. The phonemes the reader gives must be the tables' own. The files are
# committed, so users need no speech synthesiser; run this again only to change them.
#   usage: make_sounds.sh [THAI_KIT]   (default: build/bin/thai-kit of this tree)
#   needs: a build with eSpeak NG (Debian's libespeak-ng 1.51 was measured), sox
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
thai_kit=$(realpath "${1:-$here/../../build/bin/thai-kit}")
cd "$here"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One line a file: the file, its words (rows of the same word number joined without a blank,
# the words with one; the vowel table has one row a file) and its phonemes, a blank apart.
words() {
    awk -F'\t' '
        /^#/ || NF == 0 { next }
        $1 != file {
            if (file != "") print file "\t" text "\t" phonemes
            file = $1; text = $9; phonemes = $8; word = $2; next
        }
        { text = text ($2 == word ? "" : " ") $9; phonemes = phonemes " " $8; word = $2 }
        END { if (file != "") print file "\t" text "\t" phonemes }
    ' "$1"
}

make_files() {
    while IFS=$'\t' read -r file text phonemes; do
        said=$("$thai_kit" say "$text" --phonemes --wav "$work/raw.wav" | paste -sd ' ')
        if [ "$said" != "$phonemes" ]; then
            echo "$1: $file: \"$text\" is said [$said], the table has [$phonemes]" >&2
            exit 1
        fi
        # sox -D: no dither, so that the same table always gives the same files.
        sox -D "$work/raw.wav" -r 11025 -c 1 -b 16 "$file" norm -1
    done < <(words "$1")
}

make_files letter_names.tsv
make_files vowel_sounds.tsv
