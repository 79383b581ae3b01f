#!/usr/bin/env bash
# End-to-end check of both programs in a real X server under a window manager (openbox),
# driven as a person would with xdotool:
#   Vocaboro: the credits opened with Enter; a look-up whose line is longer than the space
#   left of the controls continues on the next rows, and its question box opens centred on
#   the console; casa is looked up and baan added with the keys alone (the Enter walk, the
#   check, the write), and the data files get the two records byte for byte; one more Enter
#   presses "Next...", and a second word typed by the keys alone is written with nothing
#   untyped in the files; every question box of a listing of pages opens centred on the console;
#   perche, with no cross-reference of its own, offers perché, and Yes prints its lines.
#   บ้าน pasted into the Thai direction finds casa, read from the console over AT-SPI; "Thai
#   Pronunce" then says it, heard on the monitor of a PulseAudio null sink.
#   thai-kit (without a display): the entry the keys wrote, looked up both ways; a word added,
#   changed and removed, the files as they were after it; a refused character, a usage error;
#   the syllables of ก๋วย-เตี๋ยว, a line each.
#   Ripasso: a round of the reading drill answered by keys, each answer kept; a review of 20
#   new cards graded by keys, saved and scheduled, the first card's answer typed and its two
#   sides and the comparison read from its accessibility tree over AT-SPI as a screen reader
#   reads them; a round of each of the seven drills of the script, each answer kept under its
#   drill; a second copy refused while the first runs;
#   the export for Anki, with the folder chosen last, read back with Python's csv module.
#   The Words page: gatto found by its search, its pronunciation changed by keys and seen so by
#   Chartola and Vocaboro, then removed after its question; the files checked each time.
#   Words in and out: the Anki package opened with Python's zipfile and sqlite3 and imported
#   back by thai-kit into an empty folder, giving the same records; four rows of a CSV file
#   imported through Ripasso's File menu by keys, two added in both files, one there already,
#   one refused, the report read from the accessibility tree.
#   Chartola: leaving the drop-down picks nothing; the opened list shows each item it reaches;
#   the new pronunciation is found; the chart plays a letter; Alt+F4 on a window's frame ends
#   the program. Vocaboro at twice the scale keeps its layout and ends by Alt+F4 as well.
# Screenshots of every window go to BUILD/e2e/, and a blank or all-black window fails the run.
#   usage: run.sh BUILD_DIR        needs: Xvfb, openbox, xdotool, xclip, ImageMagick,
#                                  dbus-launch, at-spi2-core, python3-pyatspi, pulseaudio,
#                                  pulseaudio-utils (pactl, parec)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
bin="$build/bin"
out="$build/e2e"
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
pids=()
cleanup() {
    # The programs first, the window manager and the X server last.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "e2e: FAIL: $*" >&2; exit 1; }
step() { echo "e2e: $*"; }

# A display of our own, with a window manager that draws frames and closes them on Alt+F4.
# Without -noreset the server resets whenever its last client leaves (between two xdotool
# calls while no program runs), and a program that connects during the reset cannot open
# the display.
for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
# The kit speaks English here whatever the machine's language: the checks read its titles.
export DISPLAY=$display QT_QPA_PLATFORM=xcb LANGUAGE=en
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
cat >"$work/openbox.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy><center>yes</center></placement>
  <keyboard><keybind key="A-F4"><action name="Close"/></keybind></keyboard>
</openbox_config>
EOF
openbox --sm-disable --config-file "$work/openbox.xml" >"$work/openbox.log" 2>&1 &
pids+=($!)
# The manager is there once it answers for the desktops.
for _ in $(seq 50); do xdotool get_num_desktops >/dev/null 2>&1 && break; sleep 0.1; done
xdotool get_num_desktops >/dev/null 2>&1 || fail "openbox did not start: $(cat "$work/openbox.log")"

# A sound server of our own whose only output is a null sink: what the programs say can be
# recorded from its monitor. Every program started here plays to it.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
    -L "module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" \
    -L "module-null-sink sink_name=kitnull" -L module-always-sink >"$work/pulse.log" 2>&1 &
pids+=($!)
export PULSE_SERVER="unix:$work/pulse.sock"
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink kitnull 2>/dev/null || fail "the sound server did not start: $(cat "$work/pulse.log")"
# sound_level SECONDS: records the null sink's monitor for that long and prints the loudest
# 50 ms of it, as RMS of full scale (0 to 1).
sound_level() {
    timeout "$1" parec -d kitnull.monitor --format=s16le --rate=22050 --channels=1 >"$work/heard.raw" || true
    python3 -c '
import array, math, sys
a = array.array("h", open(sys.argv[1], "rb").read())
n = 1102
print(max([math.sqrt(sum(x * x for x in a[i:i + n]) / n) / 32768 for i in range(0, max(len(a) - n, 1), n)] or [0]))' "$work/heard.raw"
}

if [ -n "${E2E_DRIVE_C_THAI:-}" ]; then
    # An installed copy (package.sh): the proposed "C:\THAI\" leads to this folder, which
    # the first program fills from the installed starter.
    ln -s "$E2E_DRIVE_C_THAI" "$work/thai"
    folder='C:\THAI\'
else
    cp -r "$bin/drive_c/THAI" "$work/thai"
    folder="$work/thai/"
fi
# A word whose line runs far past the space left of the controls, added once the folder
# is there.
long_note="la rete sottile che si stende sopra il letto la sera, per dormire senza le zanzare"
add_long_word() {
    printf '"zanzariera","muung","s.f.","%s","\xc1\xd8\xe9\xa7","$","$"\r\n' "$long_note" \
        >>"$work/thai/LEXFWD_Z.DAT"
}

window() { # window NAME: waits for a visible window whose title contains NAME
    local id
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] || fail "no window \"$1\""
    echo "$id"
}
activate() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null || true
    sleep 0.3
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
keys() { xdotool key --delay 80 "$@"; sleep 0.3; }
typed() { xdotool type --delay 40 "$1"; sleep 0.2; }
shot() { # shot WINDOW NAME: a screenshot, which must not be blank
    local file="$out/$2.png"
    sleep 0.4
    import -window "$1" "$file"
    local spread
    spread=$(convert "$file" -format '%[fx:standard_deviation]' info:)
    awk -v s="$spread" 'BEGIN { exit !(s > 0.02) }' || fail "the window $2 is blank ($spread)"
    step "screenshot $file"
}
screen_shot() { # screen_shot NAME [WINDOW]: the screen, frames and all, or the part around WINDOW
    local file="$out/$1.png"
    sleep 0.4
    import -window root "$file"
    if [ -n "${2:-}" ]; then
        local X Y WIDTH HEIGHT SCREEN WINDOW
        eval "$(xdotool getwindowgeometry --shell "$2")"
        # The frame's title bar and edges lie around the window.
        convert "$file" -crop "$((WIDTH + 16))x$((HEIGHT + 60))+$((X > 8 ? X - 8 : 0))+$((Y > 50 ? Y - 50 : 0))" \
            +repage "$file"
    fi
    step "screenshot $file"
}
brightness() { # brightness WINDOW X Y W H: mean brightness (0 to 1) of that part of the screen
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "$4x$5+$((X + $2))+$((Y + $3))" +repage "$work/part.png"
    convert "$work/part.png" -format '%[fx:mean]' info:
}
read_box() { # read_box WINDOW X Y: the text of the box at X,Y, through the clipboard
    click "$1" "$2" "$3"
    keys ctrl+a ctrl+c
    xclip -o -selection clipboard 2>/dev/null || true
}
centre() { # centre WINDOW: "x y" of its middle on the screen
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$((X + WIDTH / 2)) $((Y + HEIGHT / 2))"
}
ends() { # ends PID WHAT: the program must be gone within five seconds
    for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$1" 2>/dev/null && fail "$2 did not end the program"
    wait "$1" 2>/dev/null || true
    step "$2 ended the program"
}
answer_folder() { # answer_folder TITLE TEXT SHOT: types TEXT into the input box
    local box
    box=$(window "$1")
    activate "$box"
    keys ctrl+a
    typed "$2"
    shot "$box" "$3"
    keys Return
}
start() { # start PROGRAM: starts it and shows its credits window
    step "starting $1"
    "$bin/$1" &
    pids+=($!)
    started=$!
    credits=$(window "Italy Thai Dictionary")
    shot "$credits" "$1_credits"
}

# A session bus of our own, on which the accessibility bus starts when a program asks for it:
# Vocaboro's console and Ripasso's tree are read there as a screen reader reads them.
eval "$(dbus-launch --sh-syntax)"
pids+=("$DBUS_SESSION_BUS_PID")
# console_text: the text of Vocaboro's console, read over AT-SPI as a screen reader reads it.
console_text() {
    /usr/bin/python3 - <<'PYEOF'
import sys, time, pyatspi
def find(o):
    if o is None: return None
    if o.getRole() == pyatspi.ROLE_TERMINAL: return o
    for child in o:
        found = find(child)
        if found is not None: return found
for _ in range(50):
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Vocaboro"]
    console = find(apps[0]) if apps else None
    if console is not None:
        print(console.queryText().getText(0, -1))
        sys.exit(0)
    time.sleep(0.1)
sys.exit("Vocaboro's console is not on the accessibility bus")
PYEOF
}

# --- Vocaboro: the credits by the keyboard
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start vocaboro
vocaboro=$started
activate "$credits"
keys Return
answer_folder "Configure VOCABORO Dictionary" "$folder" vocaboro_folder_prompt
console=$(window "Vocaboro Dictionary   1.0")
activate "$console"
shot "$console" vocaboro_main
screen_shot vocaboro_frame

# A line longer than the space left of the controls goes on over the next rows.
add_long_word
click "$console" 448 220            # Italian-Thai
typed zanzariera
keys Return
question=$(window "Vocaboro Search Engime")
read -r qx qy <<<"$(centre "$question")"
read -r cx cy <<<"$(centre "$console")"
[ $((qx > cx ? qx - cx : cx - qx)) -le 40 ] && [ $((qy > cy ? qy - cy : cy - qy)) -le 60 ] ||
    fail "the question box is at $qx,$qy, the console's middle at $cx,$cy"
step "the question box opens centred on the console"
screen_shot vocaboro_question "$console"
keys n
shot "$console" vocaboro_long_line
convert "$out/vocaboro_main.png" -crop 390x60+0+55 +repage "$work/before.png"
convert "$out/vocaboro_long_line.png" -crop 390x60+0+55 +repage "$work/after.png"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 300 ] 2>/dev/null ||
    fail "the long line did not go on below its first row ($changed pixels changed there)"
step "the long line goes on below its first row, left of the controls"

# casa, then baan and its Thai script with the keys alone.
click "$console" 448 220            # Italian-Thai
typed casa
keys Return
window "Vocaboro Search Engime" >/dev/null
screen_shot vocaboro_lookup "$console"
keys y                              # Yes: insert another translation
sleep 0.5
activate "$console"
keys Return                         # attribute: "-", on to the Thai script
# Thai script comes pasted, as from a Thai keyboard program: a typed Thai keysym needs a key
# remapped on the fly, and the first key after a remapping can get lost.
printf 'บ้าน' | xclip -quiet -selection clipboard &
pids+=($!)
sleep 0.3
keys ctrl+v
keys Return
typed baan
keys Return Return Return Return    # notes, two sound files, on to the check
keys Return                         # the check; the focus goes to the write button
shot "$console" vocaboro_checked
keys Return                         # the write
shot "$console" vocaboro_written

# Whether the data file $1 ends with the record $2 (printf's escapes), byte for byte.
ends_with() {
    local expected size
    expected=$(printf "$2" | od -An -tx1)
    size=$(printf "$2" | wc -c)
    [ "$(tail -c "$size" "$work/thai/$1" | od -An -tx1)" = "$expected" ] ||
        fail "$1 does not end with the new record: $(tail -c 60 "$work/thai/$1" | od -c | head -5)"
}
ends_with LEXFWD_C.DAT '"casa","baan","-","-","\xba\xe9\xd2\xb9","$","$"\r\n'
ends_with LEXREV_B.DAT '"baan","casa","-","-","\xba\xe9\xd2\xb9","$","$"\r\n'
step "both data files end with the new records, byte for byte, written with the keys alone"

# One more Enter after the write: "Next..." has the focus, so the next word comes at once.
keys Return                         # Next...
typed gatto
keys Return Return Return           # attribute "-", Thai script "@", on to the pronunciation
typed maeu
keys Return Return Return Return    # notes, two sound files, on to the check
keys Return Return                  # the check, the write
shot "$console" vocaboro_written_again
ends_with LEXFWD_G.DAT '"gatto","maeu","-","-","@","$","$"\r\n'
ends_with LEXREV_M.DAT '"maeu","gatto","-","-","@","$","$"\r\n'
for file in LEXFWD_C.DAT LEXREV_B.DAT LEXFWD_G.DAT LEXREV_M.DAT; do
    [ -f "$bin/drive_c/THAI/$file" ] || continue
    cmp -s <(head -c "$(stat -c %s "$bin/drive_c/THAI/$file")" "$work/thai/$file") "$bin/drive_c/THAI/$file" ||
        fail "$file changed before its new record"
done
! grep -l "SORRY" "$work/thai/"*.DAT || fail "a data file holds text that nobody typed"
step "a second word by the keys alone after Enter on Next...: both files byte for byte, nothing untyped"

# A listing of three pages: every box stands on the console.
click "$console" 72 392             # the panel's End
for i in $(seq 1 45); do
    printf '"bz%02d","p%02d","-","-","@","$","$"\r\n' "$i" "$i" >>"$work/thai/LEXFWD_B.DAT"
done
click "$console" 448 220            # Italian-Thai
typed 'b*'
keys Return
pages=0
while question=$(timeout 3 xdotool search --sync --onlyvisible --name "ITALY Vocable List" 2>/dev/null | head -n 1) &&
    [ -n "$question" ]; do
    read -r qx qy <<<"$(centre "$question")"
    read -r cx cy <<<"$(centre "$console")"
    [ $((qx > cx ? qx - cx : cx - qx)) -le 40 ] && [ $((qy > cy ? qy - cy : cy - qy)) -le 60 ] ||
        fail "page $((pages + 1))'s question is at $qx,$qy, the console's middle at $cx,$cy"
    pages=$((pages + 1))
    [ "$pages" -eq 2 ] && screen_shot vocaboro_listing_question "$console"
    keys y
    sleep 0.3
done
[ "$pages" -ge 3 ] || fail "the listing asked $pages times, not three or more"
step "each of the listing's $pages questions opens centred on the console"

# perche, its cross-reference taken out of the file: perché, the nearest head word, is offered,
# and Yes prints its lines.
grep -av '^"perche",' "$work/thai/LEXFWD_P.DAT" >"$work/p.dat" && mv "$work/p.dat" "$work/thai/LEXFWD_P.DAT"
click "$console" 448 220            # Italian-Thai: the console is clear
shot "$console" vocaboro_cleared
typed perche
keys Return
window "Vocaboro Intellisense" >/dev/null
screen_shot vocaboro_near_word "$console"
keys Return                         # Yes, the default
window "Vocaboro Search Engime" >/dev/null
shot "$console" vocaboro_near_word_found
keys n
convert "$out/vocaboro_cleared.png" -crop 390x60+0+0 +repage "$work/before.png"
convert "$out/vocaboro_near_word_found.png" -crop 390x60+0+0 +repage "$work/after.png"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 300 ] 2>/dev/null ||
    fail "Yes to perché printed nothing ($changed pixels changed at the top of the console)"
step "perche offers perché, whose lines Yes prints"

# The Thai direction: บ้าน pasted, as from a Thai keyboard program, finds casa, the entry the
# keys wrote above, among the 26 Thai-Italian files.
click "$console" 588 220            # Thai
printf 'บ้าน' | xclip -quiet -selection clipboard &
pids+=($!)
sleep 0.3
keys ctrl+v
keys Return
window "Vocaboro Search Engime" >/dev/null
shot "$console" vocaboro_thai_script
console_text >"$out/vocaboro_thai_script.txt" || fail "Vocaboro's console could not be read"
grep -q 'baan.*บ้าน.*\[ casa \]' "$out/vocaboro_thai_script.txt" ||
    fail "the Thai direction did not find casa for บ้าน: $(cat "$out/vocaboro_thai_script.txt")"
keys n
step "บ้าน pasted into the Thai direction finds casa"

# "Thai Pronunce" says the word found: the null sink's monitor hears it.
sound_level 4 >"$work/level.txt" &
listening=$!
sleep 0.5
click "$console" 528 380            # Thai Pronunce
wait "$listening" || true
level=$(cat "$work/level.txt")
awk -v l="$level" 'BEGIN { exit !(l > 0.02) }' || fail "Thai Pronunce played nothing (loudest 50 ms at $level of full scale)"
step "Thai Pronunce said บ้าน (loudest 50 ms at $level of full scale)"

click "$console" 592 396            # End
ends "$vocaboro" "End"

# --- thai-kit, without a display: the entry the keys wrote, looked up in both directions; a
# word added, changed and removed again, which leaves the files as they were.
if [ -x "$bin/thai-kit" ]; then
    tk() { env -u DISPLAY "$bin/thai-kit" --folder "$folder" "$@"; }
    grep -qx 'I-T casa = baan บ้าน' <<<"$(tk lookup casa)" || fail "thai-kit lookup casa: $(tk lookup casa 2>&1)"
    grep -qx 'T-I baan = casa บ้าน' <<<"$(tk lookup baan)" || fail "thai-kit lookup baan: $(tk lookup baan 2>&1)"
    cp "$work/thai/LEXFWD_C.DAT" "$work/before_c.dat"
    cp "$work/thai/LEXREV_S.DAT" "$work/before_s.dat"
    tk add cane sunak --thai 'สุนัข' --attribute s.m. >/dev/null || fail "thai-kit add failed"
    ends_with LEXFWD_C.DAT '"cane","sunak","s.m.","-","\xca\xd8\xb9\xd1\xa2","$","$"\r\n'
    ends_with LEXREV_S.DAT '"sunak","cane","s.m.","-","\xca\xd8\xb9\xd1\xa2","$","$"\r\n'
    tk edit cane sunak --set note='il cane' >/dev/null || fail "thai-kit edit failed"
    ends_with LEXREV_S.DAT '"sunak","cane","s.m.","il cane","\xca\xd8\xb9\xd1\xa2","$","$"\r\n'
    tk delete cane sunak >/dev/null || fail "thai-kit delete failed"
    cmp -s "$work/thai/LEXFWD_C.DAT" "$work/before_c.dat" && cmp -s "$work/thai/LEXREV_S.DAT" "$work/before_s.dat" ||
        fail "thai-kit's add, edit and delete did not leave the files as they were"
    status=0
    tk add gatto maeu --thai '日本' 2>/dev/null || status=$?
    [ "$status" = 1 ] || fail "thai-kit took a character the files cannot hold (status $status)"
    status=0
    tk lookup 2>/dev/null || status=$?
    [ "$status" = 2 ] || fail "thai-kit lookup without a word ended with status $status, not 2"
    step "thai-kit looked the keys' entry up both ways, and added, changed and removed a word"
    # A word of two syllables, a line each: syllable, initial, class, vowel, length, final,
    # live or dead, tone mark, tone.
    expected=$'ก๋วย\tก\tmid\tuua\tlong\tย -y\tlive\tmai chattawa\trising\n'
    expected+=$'เตี๋ยว\tต\tmid\tiia\tlong\tว -w\tlive\tmai chattawa\trising'
    shown=$(env -u DISPLAY "$bin/thai-kit" syllable ก๋วย-เตี๋ยว) || fail "thai-kit syllable failed"
    [ "$shown" = "$expected" ] || fail "thai-kit syllable ก๋วย-เตี๋ยว printed: $shown"
    step "thai-kit read the syllables of ก๋วย-เตี๋ยว"
else
    step "no thai-kit beside the programs: its round trip is left out"
fi

# --- Chartola: the drop-down, the new entry, the chart, Alt+F4
start chartola
chartola=$started
click "$credits" 100 100
answer_folder "Configure VOCABORO Dictionary" "$folder" chartola_folder_prompt
dictionary=$(window "Vocaboro Dictionary v.2.0")
activate "$dictionary"

# Enter, then Tab out of the drop-down: nothing is picked, and Down then finds the first gatto.
click "$dictionary" 60 18           # the drop-down
typed gatto
keys Return Tab
click "$dictionary" 60 18
keys Down
shown=$(read_box "$dictionary" 244 20)
[ "$shown" = "maeu" ] || fail "after leaving the drop-down, Down shows \"$shown\", not maeu"
step "leaving the drop-down picked nothing"

# The opened list: each item reached is shown at once, and Escape keeps it.
click "$dictionary" 60 18
keys ctrl+a
typed gatto
keys Return alt+Down
sleep 0.5
# The list lies open under the drop-down, light where the window is dark.
awk -v b="$(brightness "$dictionary" 10 35 100 60)" 'BEGIN { exit !(b > 0.7) }' ||
    fail "Alt+Down did not open the drop-down's list"
keys Down Down
screen_shot chartola_list_open "$dictionary"
keys Escape
shown=$(read_box "$dictionary" 244 20)
[ "$shown" = "kai tua phuu" ] || fail "the opened list showed \"$shown\", not gallo's kai tua phuu"
step "the opened list showed each item it reached"

click "$dictionary" 60 18
keys ctrl+a
typed casa
keys Return Down
shot "$dictionary" chartola_dictionary
shown=$(read_box "$dictionary" 244 20)
[ "$shown" = "baan" ] || fail "the dictionary window shows \"$shown\" for casa, not baan"
step "the dictionary window shows baan for casa"

click "$dictionary" 312 220         # Alphabet
sound=$(window "Configure Chartola")
activate "$sound"
shot "$sound" chartola_sound_prompt
keys Return
chart=$(window "Learning Alphabet THAI")
activate "$chart"
click "$chart" 48 56                # the first letter
keys Tab Return                     # the second one, by the keys
shot "$chart" chartola_chart
shown=$(read_box "$chart" 420 349)
[ "$shown" = "kô-kài" ] || fail "Enter on the second letter shows \"$shown\""
click "$chart" 44 384               # About
about=$(window "Informazioni su Chartola")
shot "$about" chartola_about
activate "$about"
keys Return                         # OK
sleep 0.3
chart=$(window "Learning Alphabet THAI")
activate "$chart"
keys alt+F4
ends "$chartola" "Alt+F4 on the chart's frame"

# --- Ripasso: a drill round and a review by keys, a second copy refused, the export read back
if [ -n "${E2E_DRIVE_C_THAI:-}" ]; then
    progress="${XDG_DATA_HOME:-$HOME/.local/share}/thai-kit/ripasso.sqlite"
    ripasso_env=()
else # a progress of its own, not the user's
    progress="$work/data/thai-kit/ripasso.sqlite"
    ripasso_env=(XDG_DATA_HOME="$work/data")
fi
query() { python3 -c 'import sqlite3, sys; print(sqlite3.connect(sys.argv[1]).execute(sys.argv[2]).fetchone()[0])' "$progress" "$1"; }
# atspi_names: the names of the shown objects of Ripasso's accessibility tree, one a line, read
# over AT-SPI as a screen reader reads them (Debian's own Python, which python3-pyatspi extends).
atspi_names() {
    /usr/bin/python3 - <<'PYEOF'
import sys, time, pyatspi
def walk(o):
    if o is not None and o.getState().contains(pyatspi.STATE_SHOWING):
        print(o.name)
        for child in o: walk(child)
for _ in range(50):
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "Ripasso"]
    if apps: sys.exit(walk(apps[0]))
    time.sleep(0.1)
sys.exit("Ripasso is not on the accessibility bus")
PYEOF
}
step "starting ripasso"
env "${ripasso_env[@]}" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$bin/ripasso" &
pids+=($!)
ripasso=$!
answer_folder "Ripasso: your words" "$folder" ripasso_folder_prompt
main=$(window "^Ripasso$")
activate "$main"
shot "$main" ripasso_home
keys alt+e                          # See a letter, pick its reading
sound=$(window "Ripasso: letter sounds")
activate "$sound"
keys Return
activate "$main"
shot "$main" ripasso_drill_question
keys 1
shot "$main" ripasso_drill_answered
keys Return
for _ in $(seq 19); do xdotool key --delay 120 1 Return; done
sleep 0.5
shot "$main" ripasso_drill_result
[ "$(query 'SELECT sum(asked) FROM letter WHERE drill = 1')" = 20 ] ||
    fail "the drill round kept $(query 'SELECT sum(asked) FROM letter') answers, not 20"
step "a drill round of 20 questions answered by keys, each answer kept"
# Back, the answers to be typed, then the review. The first card gets zzz, far from any
# answer: Return shows the back and the comparison, whose proposal (Again) the key 3 overrides.
keys Escape alt+y alt+r
typed zzz
keys Return
shot "$main" ripasso_review_back
cp "$out/ripasso_review_back.png" "$out/ripasso.png"
atspi_names >"$out/ripasso_review_atspi.txt" || fail "Ripasso's accessibility tree could not be read"
keys 3
# The card answered: its two sides, and the answer its front asks for (by the direction).
for side in headword pronunciation "CASE direction WHEN 0 THEN pronunciation ELSE headword END"; do
    word=$(query "SELECT $side FROM card" | python3 -c 'import ast; print(ast.literal_eval(input()).decode("cp1252"))')
    grep -qxF "$word" "$out/ripasso_review_atspi.txt" || fail "\"$word\" is not in Ripasso's accessibility tree"
done
step "the card's two sides read from Ripasso's accessibility tree"
sentence="You typed zzz; the answer is $word: it differs. Proposed: Again."
grep -qxF "$sentence" "$out/ripasso_review_atspi.txt" || fail "the typed answer's comparison was not told: $sentence"
step "the typed answer compared: \"$sentence\""
for _ in $(seq 19); do xdotool key --delay 120 Return 3; done # the box left empty
sleep 0.5
shot "$main" ripasso_review_done
[ "$(query 'SELECT count(*) FROM review WHERE grade = 3')" = 20 ] && [ "$(query 'SELECT count(*) FROM card')" = 20 ] ||
    fail "the review kept $(query 'SELECT count(*) FROM review WHERE grade = 3') answers Good of 20"
[ "$(query "SELECT count(*) FROM card WHERE due_day - last_day = 4")" = 20 ] ||
    fail "the cards answered Good are not due in four days"
step "a review of 20 new cards graded by keys, each answer saved and due in four days"

# The drills of the script, a round each by keys (the sound folder is known by now): a question
# and the result shown, each answer kept under the drill's number, the result telling as many.
for row in "v 3 20 vowel_reading" "o 4 20 vowel_sound" "s 5 20 vowel_length" "m 6 4 tone_mark" \
    "n 7 20 tone" "u 8 20 final" "k 9 20 look_alike"; do
    read -r key drill count name <<<"$row"
    keys alt+"$key"
    shot "$main" "ripasso_${name}_question"
    for _ in $(seq "$count"); do xdotool key --delay 80 1 Return; done
    sleep 0.3
    shot "$main" "ripasso_${name}_result"
    atspi_names >"$work/atspi.txt" || fail "Ripasso's accessibility tree could not be read"
    grep -qE "^[0-9]+ of $count right" "$work/atspi.txt" || fail "the $name drill's result is not of $count questions"
    [ "$(query "SELECT sum(asked) FROM letter WHERE drill = $drill")" = "$count" ] ||
        fail "the $name drill kept $(query "SELECT sum(asked) FROM letter WHERE drill = $drill") answers, not $count"
    keys Escape
done
step "a round of each of the seven drills of the script answered by keys, each answer kept"

# A second copy says that the progress is in use, and ends.
env "${ripasso_env[@]}" "$bin/ripasso" &
pids+=($!)
second=$!
box=$(timeout 20 xdotool search --sync --onlyvisible --pid "$second" 2>/dev/null | head -n 1) || true
[ -n "$box" ] || fail "a second copy of Ripasso showed no message"
activate "$box"
screen_shot ripasso_in_use
keys Return
status=0
wait "$second" || status=$?
[ "$status" = 1 ] || fail "a second copy of Ripasso ended with status $status, not 1"
step "a second copy said the progress is in use and ended"

# The Words page: gatto found by its search, typed in capitals; its pronunciation changed by
# the keys alone, in both files, the record keeping its place.
activate "$main"
keys Escape                         # the start page
keys alt+w
typed GATTO
keys Down                           # the first match, in the files' order
shot "$main" ripasso_words
keys F2
keys Tab Tab Tab ctrl+a             # Italian word, attribute, Thai script: the pronunciation
typed meeo
shot "$main" ripasso_words_form
keys Return                         # saved
shot "$main" ripasso_words_changed
grep -qa '^"gatto","meeo","s.m.","-",' "$work/thai/LEXFWD_G.DAT" &&
    grep -qa '^"meeo","gatto","s.m.","-",' "$work/thai/LEXREV_M.DAT" &&
    ! grep -qa '^"maeu","gatto","s.m.",' "$work/thai/LEXREV_M.DAT" ||
    fail "the Words page did not change gatto's pronunciation in both files"
[ "$(grep -a '^"gatto",' "$work/thai/LEXFWD_G.DAT" | head -n 1 | cut -d, -f2)" = '"meeo"' ] ||
    fail "the changed record of gatto left its place"
ls "$work/thai" | grep -qE 'vocaboro-new|JNL' && fail "the change left files behind: $(ls "$work/thai")"
step "the Words page found gatto in capitals and changed its pronunciation in both files, by keys"
activate "$main"
keys alt+F4
ends "$ripasso" "Alt+F4 on Ripasso's window"

# The change, seen by Chartola (the first gatto now reads meeo) and by Vocaboro.
start chartola
chartola=$started
click "$credits" 100 100
answer_folder "Configure VOCABORO Dictionary" "$folder" chartola_folder_prompt_again
dictionary=$(window "Vocaboro Dictionary v.2.0")
activate "$dictionary"
click "$dictionary" 60 18
typed gatto
keys Return Down
shot "$dictionary" chartola_changed_word
shown=$(read_box "$dictionary" 244 20)
[ "$shown" = "meeo" ] || fail "Chartola shows \"$shown\" for the changed gatto, not meeo"
activate "$dictionary"
keys alt+F4
ends "$chartola" "Alt+F4 on the dictionary window"
start vocaboro
vocaboro=$started
activate "$credits"
keys Return
answer_folder "Configure VOCABORO Dictionary" "$folder" vocaboro_folder_prompt_again
console=$(window "Vocaboro Dictionary   1.0")
activate "$console"
click "$console" 448 220            # Italian-Thai
shot "$console" vocaboro_before_changed
typed gatto
keys Return
window "Vocaboro Search Engime" >/dev/null
screen_shot vocaboro_changed_word "$console"
keys n
shot "$console" vocaboro_changed_word_lines
convert "$out/vocaboro_before_changed.png" -crop 390x60+0+0 +repage "$work/before.png"
convert "$out/vocaboro_changed_word_lines.png" -crop 390x60+0+0 +repage "$work/after.png"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 300 ] 2>/dev/null || fail "Vocaboro printed no lines for gatto"
click "$console" 592 396            # End
ends "$vocaboro" "End"
step "Chartola and Vocaboro read the changed word"

# Removed from the Words page, after its question: gone from both files, the rest unchanged.
cp "$work/thai/LEXFWD_G.DAT" "$work/before_g.dat"
env "${ripasso_env[@]}" "$bin/ripasso" &
pids+=($!)
ripasso=$!
answer_folder "Ripasso: your words" "$folder" ripasso_folder_prompt_again
main=$(window "^Ripasso$")
activate "$main"
keys alt+w
typed meeo
keys Down Delete
sleep 0.5
screen_shot ripasso_words_delete_question "$main"
keys y
sleep 0.5
shot "$main" ripasso_words_removed
! grep -qa '"meeo"' "$work/thai/LEXFWD_G.DAT" "$work/thai/LEXREV_M.DAT" ||
    fail "the Words page did not remove gatto = meeo from both files"
[ "$(grep -vac '"meeo"' "$work/before_g.dat")" = "$(grep -ac . "$work/thai/LEXFWD_G.DAT")" ] ||
    fail "removing gatto = meeo changed other records of LEXFWD_G.DAT"
step "the Words page removed gatto = meeo from both files after its question"
activate "$main"
keys alt+F4
ends "$ripasso" "Alt+F4 on Ripasso's window"

# The export, with the folder chosen last, read back as Anki reads it: the stock note type's
# two fields, Front and Back, hold every field of the record.
env "${ripasso_env[@]}" "$bin/ripasso" --export-anki "$work/anki.txt" || fail "the export failed"
data_folder=${E2E_DRIVE_C_THAI:-$work/thai}
python3 - "$work/anki.txt" "$data_folder" <<'PY' || fail "the export does not read back as the data files"
import csv, glob, io, sys
text = open(sys.argv[1], encoding='utf-8', newline='').read()
header = []
while text.startswith('#'):
    line, text = text.split('\n', 1)
    header.append(line)
assert header[:5] == ['#separator:tab', '#html:true', '#notetype:Basic (and reversed card)', '#deck:Thai', '#columns:Front\tBack\tTags\tGUID'], header
notes = list(csv.reader(io.StringIO(text, newline=''), delimiter='\t'))
records = []
for name in sorted(glob.glob(sys.argv[2] + '/LEXFWD_*.DAT')):
    data = open(name, 'rb').read().decode('cp1252', 'replace')
    records += [r for r in csv.reader(io.StringIO(data, newline='')) if r and r[3] != '*']
assert len(notes) == len(records), (len(notes), len(records))
zanzariera = [n for n in notes if n[0] == 'zanzariera']
assert zanzariera and zanzariera[0][1] == 'muung<br>\u0e21\u0e38\u0e49\u0e07<br>s.f.<br>la rete sottile che si stende sopra il letto la sera, per dormire senza le zanzare', zanzariera
assert len({n[3] for n in notes}) == len(notes)
print('e2e: the export holds', len(notes), 'notes, one per record')
PY

# --- Words in and out: the deck opened as Anki opens it (Python's zipfile and sqlite3), imported
# back into an empty folder; then a spreadsheet's words added from Ripasso's File menu by keys.
env "${ripasso_env[@]}" "$bin/ripasso" --export-apkg "$work/deck.apkg" || fail "the deck was not exported"
python3 - "$work/deck.apkg" <<'PY' || fail "the deck does not open as Anki opens it"
import json, sqlite3, sys, tempfile, zipfile
z = zipfile.ZipFile(sys.argv[1])
assert z.namelist()[:2] == ['collection.anki2', 'media'], z.namelist()
with tempfile.NamedTemporaryFile(suffix='.anki2') as f:
    f.write(z.read('collection.anki2'))
    f.flush()
    db = sqlite3.connect(f.name)
    models = json.loads(db.execute('SELECT models FROM col').fetchone()[0])
    model, = [m for m in models.values() if m['name'] == 'Thai kit (Italiano)']
    assert [x['name'] for x in model['flds']] == ['Italiano', 'Pronuncia', 'Thai', 'Attributo', 'Note', 'Suono']
    notes = [n.split('\x1f') for n, in db.execute('SELECT flds FROM notes')]
    cards = db.execute('SELECT count(*) FROM cards').fetchone()[0]
zanzariera = [n for n in notes if n[0] == 'zanzariera']
assert zanzariera and zanzariera[0][1:3] == ['muung', '\u0e21\u0e38\u0e49\u0e07'], zanzariera
print('e2e: the deck holds', len(notes), 'notes and', cards, 'cards')
PY
mkdir "$work/back"
"$bin/thai-kit" import "$work/deck.apkg" --folder "$work/back/" >"$work/import.txt" ||
    fail "the deck was not imported back: $(cat "$work/import.txt")"
# The forward files come back record for record, in their order. This folder also holds
# forward records written by hand without their reverse ones (bz01..., zanzariera): the
# import writes every entry whole, so each reverse file holds the reverse records of the
# forward ones, those the folder had among them.
python3 - "$data_folder" "$work/back" <<'PY' || fail "the deck imported back does not give the same files"
import collections, glob, os, sys
def records(path, cross_references=True):
    if not os.path.exists(path):
        return []
    lines = [l.rstrip(b'\r') for l in open(path, 'rb').read().split(b'\n') if l.strip()]
    return [l for l in lines if cross_references or l.split(b'","')[3:4] != [b'*']]
def swapped(line):
    fields = line[1:-1].split(b'","')
    return b'"' + b'","'.join([fields[1], fields[0]] + fields[2:]) + b'"'
was, now = sys.argv[1], sys.argv[2]
forward = []
for letter in 'ABCDEFGHIJKLMNOPQRSTUVWXYZ':
    name = 'LEXFWD_%s.DAT' % letter
    old = records(os.path.join(was, name), False)
    assert records(os.path.join(now, name)) == old, name
    forward += old
expected = collections.Counter(swapped(l) for l in forward)
reverse = collections.Counter()
for letter in 'ABCDEFGHIJKLMNOPQRSTUVWXYZ':
    name = 'LEXREV_%s.DAT' % letter
    new = collections.Counter(records(os.path.join(now, name)))
    assert all(l[1:2].upper() == letter.encode() for l in new), name
    assert not (collections.Counter(records(os.path.join(was, name))) & expected) - new, name
    reverse += new
assert reverse == expected, (list(reverse - expected)[:3], list(expected - reverse)[:3])
print('e2e: exported and imported back, the forward files hold the same records and each entry is whole')
PY
step "the deck opened as Anki opens it, and imported back into an empty folder gave the same files"

# formica = mot is in the starter dictionary already; the double quote of the last row is refused.
printf 'italiano,pronuncia,thai\nfarfalla,phiisuea,ผีเสื้อ\nformica,mot,มด\nlucciola,hinghoi,หิ่งห้อย\nnuvola,"me""k",\n' \
    >"$work/new_words.csv"
env "${ripasso_env[@]}" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$bin/ripasso" &
pids+=($!)
ripasso=$!
answer_folder "Ripasso: your words" "$folder" ripasso_folder_prompt_import
main=$(window "^Ripasso$")
activate "$main"
keys alt+f i                        # File, Import words…
answer_folder "Ripasso: import words" "$work/new_words.csv" ripasso_import_prompt
sleep 1
screen_shot ripasso_import_report
atspi_names >"$work/import_atspi.txt" || fail "Ripasso's accessibility tree could not be read"
grep -qF "2 added, 1 already there, 1 refused" "$work/import_atspi.txt" ||
    fail "the import's report was not told: $(cat "$work/import_atspi.txt")"
grep -qF "Line 5:" "$work/import_atspi.txt" || fail "the refused row's line was not told"
keys Return
grep -qa '^"farfalla","phiisuea",' "$data_folder/LEXFWD_F.DAT" &&
    grep -qa '^"phiisuea","farfalla",' "$data_folder/LEXREV_P.DAT" &&
    grep -qa '^"lucciola","hinghoi",' "$data_folder/LEXFWD_L.DAT" &&
    grep -qa '^"hinghoi","lucciola",' "$data_folder/LEXREV_H.DAT" &&
    [ "$(grep -ac '^"formica","mot",' "$data_folder/LEXFWD_F.DAT")" = 1 ] &&
    [ "$(grep -ac '^"nuvola",' "$data_folder/LEXFWD_N.DAT")" = 1 ] ||
    fail "File, Import words did not add the two new rows in both directions alone"
step "File, Import words… added two words in both directions, skipped one and refused one, by keys"
activate "$main"
keys alt+F4
ends "$ripasso" "Alt+F4 on Ripasso's window"

# --- Twice the scale: the layout keeps its place and its captions
step "vocaboro at QT_SCALE_FACTOR=2"
QT_SCALE_FACTOR=2 "$bin/vocaboro" &
pids+=($!)
hidpi=$!
credits=$(window "Italy Thai Dictionary")
click "$credits" 200 200
answer_folder "Configure VOCABORO Dictionary" "$folder" hidpi_folder_prompt
console=$(window "Vocaboro Dictionary   1.0")
shot "$console" hidpi_console
width=$(identify -format '%w' "$out/hidpi_console.png")
[ "$width" -ge 1200 ] || fail "the console is $width pixels wide at twice the scale"
activate "$console"
keys alt+F4
ends "$hidpi" "Alt+F4 on the console's frame"
echo "e2e: 1 passed, 0 failed"
