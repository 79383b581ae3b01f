#!/usr/bin/env bash
# End-to-end check of both programs in a real X server, driven as a person would with
# xdotool: Vocaboro looks casa up, the user adds baan and its Thai script, the data files
# get the two records byte for byte; then Chartola finds the new pronunciation. Screenshots
# of every window go to BUILD/e2e/, and a blank or all-black window fails the run.
#   usage: run.sh BUILD_DIR        needs: Xvfb, xdotool, xclip, ImageMagick
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
out="$build/e2e"
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
pids=()
cleanup() {
    # The programs first, the X server last.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        [ "$i" -gt 0 ] && wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "e2e: FAIL: $*" >&2; exit 1; }
step() { echo "e2e: $*"; }

# A display of our own. Without -noreset the server resets whenever its last client
# leaves (between two xdotool calls while no program runs), and a program that connects
# during the reset cannot open the display.
for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

if [ -n "${E2E_DRIVE_C_THAI:-}" ]; then
    # An installed copy (package.sh): the proposed "C:\THAI\" leads to this folder.
    ln -s "$E2E_DRIVE_C_THAI" "$work/thai"
    folder='C:\THAI\'
else
    cp -r "$build/bin/drive_c/THAI" "$work/thai"
    folder="$work/thai/"
fi

window() { # window NAME: waits for a visible window whose title contains NAME
    local id
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] || fail "no window \"$1\""
    echo "$id"
}
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.2; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
shot() { # shot WINDOW NAME: a screenshot, which must not be blank
    local file="$out/$2.png"
    sleep 0.4
    import -window "$1" "$file"
    local spread
    spread=$(convert "$file" -format '%[fx:standard_deviation]' info:)
    awk -v s="$spread" 'BEGIN { exit !(s > 0.02) }' || fail "the window $2 is blank ($spread)"
    step "screenshot $file"
}
answer_folder() { # answer_folder TITLE TEXT: types TEXT into the input box
    local box
    box=$(window "$1")
    focus "$box"
    xdotool key ctrl+a
    xdotool type --delay 20 "$2"
    shot "$box" "$3"
    xdotool key Return
}

start() { # start PROGRAM: starts it, clicks its credits window, answers the folder prompt
    step "starting $1"
    "$build/bin/$1" &
    pids+=($!)
    started=$!
    local credits
    credits=$(window "Italy Thai Dictionary")
    shot "$credits" "$1_credits"
    click "$credits" 100 100
    answer_folder "Configure VOCABORO Dictionary" "$folder" "$1_folder_prompt"
}

# --- Vocaboro: look casa up, add baan and its Thai script
start vocaboro
vocaboro=$started
console=$(window "Vocaboro Dictionary   1.0")
focus "$console"
shot "$console" vocaboro_main
click "$console" 448 220            # Italian-Thai
xdotool type --delay 30 casa
xdotool key Return
question=$(window "Vocaboro Search Engime")
shot "$console" vocaboro_lookup
xdotool key y                       # Yes: insert another translation
sleep 0.5
focus "$console"
xdotool key Return                  # attribute: "-", on to the Thai script
xdotool type --delay 60 "บ้าน"
xdotool key Return
xdotool type --delay 30 baan
xdotool key Return Return Return Return   # notes, two sound files, on to the check
xdotool key Return                  # check
sleep 0.3
click "$console" 132 332            # "Write in the files!"
shot "$console" vocaboro_written

expected_forward=$(printf '"casa","baan","-","-","\xba\xe9\xd2\xb9","$","$"\r\n' | od -An -tx1)
expected_reverse=$(printf '"baan","casa","-","-","\xba\xe9\xd2\xb9","$","$"\r\n' | od -An -tx1)
[ "$(tail -c 38 "$work/thai/LEXFWD_C.DAT" | od -An -tx1)" = "$expected_forward" ] ||
    fail "LEXFWD_C.DAT does not end with the new record: $(tail -c 60 "$work/thai/LEXFWD_C.DAT" | od -c | head -5)"
[ "$(tail -c 38 "$work/thai/LEXREV_B.DAT" | od -An -tx1)" = "$expected_reverse" ] ||
    fail "LEXREV_B.DAT does not end with the new record"
step "both data files end with the new records, byte for byte"

click "$console" 72 392             # the panel's End
click "$console" 592 396            # End
for _ in $(seq 50); do kill -0 "$vocaboro" 2>/dev/null || break; sleep 0.1; done
kill -0 "$vocaboro" 2>/dev/null && fail "End did not end Vocaboro"
step "End ended Vocaboro"

# --- Chartola: find the entry in the dictionary window, then the chart and the About box
start chartola
dictionary=$(window "Vocaboro Dictionary v.2.0")
focus "$dictionary"
click "$dictionary" 60 18           # the drop-down
xdotool type --delay 30 c
xdotool type --delay 30 asa
xdotool key Return
sleep 0.3
xdotool key Down
sleep 0.3
shot "$dictionary" chartola_dictionary
click "$dictionary" 244 20          # the pronunciation box
xdotool key ctrl+a ctrl+c
sleep 0.3
shown=$(xclip -o -selection clipboard 2>/dev/null || true)
[ "$shown" = "baan" ] || fail "the dictionary window shows \"$shown\" for casa, not baan"
step "the dictionary window shows baan for casa"

click "$dictionary" 312 220         # Alphabet
sound=$(window "Configure Chartola")
focus "$sound"
xdotool key Return
chart=$(window "Learning Alphabet THAI")
focus "$chart"
click "$chart" 48 56                # the first letter
shot "$chart" chartola_chart
click "$chart" 44 384               # About
about=$(window "Informazioni su Chartola")
shot "$about" chartola_about
focus "$about"
xdotool key Return                  # OK
sleep 0.3

# --- Twice the scale: the layout keeps its place and its captions
step "vocaboro at QT_SCALE_FACTOR=2"
QT_SCALE_FACTOR=2 "$build/bin/vocaboro" &
pids+=($!)
credits=$(window "Italy Thai Dictionary")
click "$credits" 200 200
answer_folder "Configure VOCABORO Dictionary" "$folder" hidpi_folder_prompt
console=$(window "Vocaboro Dictionary   1.0")
shot "$console" hidpi_console
width=$(identify -format '%w' "$out/hidpi_console.png")
[ "$width" -ge 1200 ] || fail "the console is $width pixels wide at twice the scale"
echo "e2e: 1 passed, 0 failed"
