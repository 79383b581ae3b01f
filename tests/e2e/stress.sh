#!/usr/bin/env bash
# Starts and stops both programs many times in a real X server with a window manager and
# throws random input at them with xdotool: clicks on the credits window, answers and
# cancels of the folder prompts, letters, typing in the drop-down (Enter, Up, Down,
# Alt+Down, Escape), the load buttons, Help/OK, Alphabet/Dictionary, About/OK/System
# Info, bursts of clicks while a modal box is open, closing by the frame (Alt+F4,
# `xdotool windowclose`, `windowkill`) and quitting at random moments.
#
# Every run that ends by a signal we did not send (SIGABRT, SIGSEGV...), or that prints a
# sanitizer report, is kept with its output, its core file and a gdb backtrace in
# OUT/crash-N-PROGRAM/; a program that has closed its last window but hangs in its exit
# handlers is kept with its stacks in OUT/hang-N-PROGRAM/. The summary counts how each
# run ended.
#
#   usage: stress.sh BUILD_DIR COUNT [SEED]
#   COUNT runs of each program; SEED seeds the choices (default: random), though the timing
#   of the X server and the programs still varies from run to run.
#   Env: STRESS_OUT (default BUILD_DIR/stress), STRESS_STEPS (most actions a run, 30).
#   needs: Xvfb, openbox, xdotool; gdb for the backtraces.
set -uo pipefail
build=$(cd "${1:?usage: stress.sh BUILD_DIR COUNT [SEED]}" && pwd)
count=${2:?usage: stress.sh BUILD_DIR COUNT [SEED]}
seed=${3:-$((RANDOM * 32768 + RANDOM))}
max_steps=${STRESS_STEPS:-30}
out=${STRESS_OUT:-$build/stress}
RANDOM=$seed
mkdir -p "$out"
work=$(mktemp -d)
xpids=()
cleanup() {
    [ -n "${pid:-}" ] && kill -KILL "$pid" 2>/dev/null
    for ((i = ${#xpids[@]} - 1; i >= 0; i--)); do
        kill "${xpids[i]}" 2>/dev/null
        wait "${xpids[i]}" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
log() { echo "stress: $*"; }

# The programs run from a copy, so that whatever random input writes stays in the copy.
mkdir -p "$work/bin"
cp "$build/bin/chartola" "$build/bin/vocaboro" "$work/bin/"
fresh_data() {
    rm -rf "$work/bin/drive_c"
    cp -r "$build/bin/drive_c" "$work/bin/drive_c"
}
fresh_data
folder="$work/bin/drive_c/THAI/"

# A display of our own: another run may take the same free number at the same moment, and
# then its X server is the one that stays.
display=
for n in $(seq 131 180); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    # -noreset: an X server resets when its last client leaves, and a program that
    # connects meanwhile cannot open the display (Qt then aborts).
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        kill -0 "$xvfb" 2>/dev/null || break
        DISPLAY=":$n" xdotool getmouselocation >/dev/null 2>&1 && { display=":$n"; break; }
        sleep 0.1
    done
    sleep 0.3
    kill -0 "$xvfb" 2>/dev/null && [ -n "$display" ] && break
    display=
done
[ -n "$display" ] || { echo "stress: no X server could be started" >&2; exit 1; }
xpids+=("$xvfb")
export DISPLAY=$display QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
xpids+=($!)
sleep 1

# Sanitizer builds: report aborts too, and stop at the first report.
export ASAN_OPTIONS=${ASAN_OPTIONS:-handle_abort=1:detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

chance() { [ $((RANDOM % 100)) -lt "$1" ]; }
pause() { sleep "0.$(printf %02d $((RANDOM % ${1:-15})))"; }
pick() { local a=("$@"); echo "${a[RANDOM % ${#a[@]}]}"; }

# The program's visible windows, one "ID<TAB>TITLE" a line.
windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        printf '%s\t%s\n' "$id" "$(xdotool getwindowname "$id" 2>/dev/null)"
    done
}

click_at() { # click_at WINDOW X Y [REPEAT]
    xdotool mousemove --window "$1" "$2" "$3" click --repeat "${4:-1}" --delay 15 1 2>/dev/null
}

# Known places of each window (window coordinates).
act_on() { # act_on ID TITLE
    local id=$1 title=$2 x y
    case "$title" in
    *"Italy Thai Dictionary"*) # the credits window: any place
        click_at "$id" $((20 + RANDOM % 440)) $((20 + RANDOM % 300)) $((1 + RANDOM % 3))
        ;;
    *Configure*) # a folder prompt: the folder, the proposal, nothing, or cancel
        xdotool windowfocus "$id" 2>/dev/null
        case $((RANDOM % 5)) in
        0) xdotool key ctrl+a && xdotool type --delay 2 "$folder" && xdotool key Return ;;
        1) xdotool key Return ;;
        2) xdotool key Escape ;;
        3) xdotool key ctrl+a BackSpace Return ;;
        4) click_at "$id" $((RANDOM % 300)) $((RANDOM % 150)) $((1 + RANDOM % 4)) ;;
        esac
        ;;
    "Learning Alphabet THAI"*) # the chart
        case $((RANDOM % 6)) in
        0 | 1 | 2) click_at "$id" $((48 + 56 * (RANDOM % 8))) $((56 + 56 * (RANDOM % 6))) $((1 + RANDOM % 3)) ;;
        3) click_at "$id" 44 384 $((1 + RANDOM % 3)) ;;      # About
        4) click_at "$id" 412 380 ;;                        # Dictionary
        5) click_at "$id" $((RANDOM % 480)) $((RANDOM % 405)) ;;
        esac
        ;;
    "Informazioni su"*) # the About box
        case $((RANDOM % 4)) in
        0) click_at "$id" 325 186 $((1 + RANDOM % 3)) ;; # OK
        1) click_at "$id" 325 216 $((1 + RANDOM % 3)) ;; # System Info
        2) xdotool windowfocus "$id" 2>/dev/null; xdotool key "$(pick Return Escape space Tab)" ;;
        3) click_at "$id" $((RANDOM % 380)) $((RANDOM % 250)) ;;
        esac
        ;;
    "Vocaboro Dictionary v.2.0"*) # Chartola's dictionary window
        case $((RANDOM % 9)) in
        0 | 1) click_at "$id" 60 18
            xdotool type --delay 5 "$(pick casa c a zz b acqua "$((RANDOM))")"
            xdotool key "$(pick Return Return Up Down alt+Down Escape Page_Down)" ;;
        2) click_at "$id" 60 18; xdotool key "$(pick Up Down alt+Down Escape Return Page_Up)" \
               "$(pick Up Down Escape Return)" ;;
        3) click_at "$id" 130 18 $((1 + RANDOM % 2)) ;; # the list's arrow
        4) click_at "$id" 36 228 $((1 + RANDOM % 3)) ;;  # Load all (forward)
        5) click_at "$id" 108 228 $((1 + RANDOM % 3)) ;; # Load all (reverse)
        6) click_at "$id" 312 220 $((1 + RANDOM % 3)) ;; # Alphabet
        7) click_at "$id" 312 256 $((1 + RANDOM % 3)) ;; # Help
        8) click_at "$id" $((RANDOM % 350)) $((RANDOM % 270)) ;;
        esac
        ;;
    Help*) # the notes
        if chance 70; then click_at "$id" 288 300 $((1 + RANDOM % 3)); else
            click_at "$id" $((RANDOM % 580)) $((RANDOM % 320)); fi
        ;;
    "Vocaboro Dictionary   1.0"*) # Vocaboro's console
        case $((RANDOM % 7)) in
        0) click_at "$id" 448 220 ;;
        1) click_at "$id" $((RANDOM % 640)) $((RANDOM % 420)) $((1 + RANDOM % 2)) ;;
        2) xdotool windowfocus "$id" 2>/dev/null
           xdotool type --delay 5 "$(pick casa exit help gatto b "$((RANDOM))")"; xdotool key Return ;;
        3) xdotool windowfocus "$id" 2>/dev/null; xdotool key "$(pick Return Tab y n Escape)" ;;
        4) click_at "$id" 132 332 ;;
        5) click_at "$id" 72 392 ;;
        6) click_at "$id" 592 396 ;;
        esac
        ;;
    *) # a message box or anything else: its button, keys, or a burst of clicks
        case $((RANDOM % 4)) in
        0) xdotool windowfocus "$id" 2>/dev/null; xdotool key "$(pick Return Escape space y n)" ;;
        *) local geo w=200 h=100
           geo=$(xdotool getwindowgeometry "$id" 2>/dev/null | awk '/Geometry/ { print $2 }')
           [ -n "$geo" ] && { w=${geo%x*}; h=${geo#*x}; }
           click_at "$id" $((RANDOM % (w + 1))) $((RANDOM % (h + 1))) $((1 + RANDOM % 8)) ;;
        esac
        ;;
    esac
}

# One random action on the running program.
step() {
    local list id title n
    list=$(windows)
    [ -z "$list" ] && { pause 20; return; }
    n=$(printf '%s\n' "$list" | wc -l)
    IFS=$'\t' read -r id title < <(printf '%s\n' "$list" | sed -n "$((1 + RANDOM % n))p")
    trace+="${title:0:12}|"
    if chance 4; then
        xdotool windowfocus "$id" 2>/dev/null; xdotool key alt+F4
        ended_by="alt+F4 on $title"
    elif chance 2; then
        xdotool windowclose "$id" 2>/dev/null
        ended_by="windowclose on $title"
    elif chance 1; then
        xdotool windowkill "$id" 2>/dev/null
        ended_by="windowkill on $title"
    elif chance 1; then
        kill -TERM "$pid" 2>/dev/null
        ended_by="SIGTERM"
    else
        # A burst into the front window whatever it is: the modal box when one is open.
        if chance 15; then
            local active
            active=$(xdotool getactivewindow 2>/dev/null) && id=$active
            click_at "$id" $((RANDOM % 200)) $((RANDOM % 120)) $((2 + RANDOM % 8))
        else
            act_on "$id" "$title"
        fi
    fi
    pause
}

# The window of the running program whose title matches, once it shows (empty after 5 s).
wait_window() {
    local id _
    for _ in $(seq 50); do
        id=$(xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return; }
        kill -0 "$pid" 2>/dev/null || return
        sleep 0.1
    done
}
answer_prompt() { # answer_prompt TITLE: the folder, or the proposal as it stands
    local id
    id=$(wait_window "$1")
    [ -n "$id" ] || return 1
    xdotool windowfocus "$id" 2>/dev/null
    if chance 50; then xdotool key ctrl+a && xdotool type --delay 2 "$folder"; fi
    xdotool key Return
}

# Most runs first go a random way into the program the way a person would, so that the
# random input also meets the chart, its sounds, the About box and loaded lists.
guided() { # guided PROGRAM
    local depth=$((RANDOM % 6)) id
    trace+="guided $depth|"
    [ "$depth" -eq 0 ] && return
    id=$(wait_window "Italy Thai Dictionary") && [ -n "$id" ] || return
    click_at "$id" 100 100
    [ "$depth" -eq 1 ] && return
    answer_prompt "Configure VOCABORO" || return
    if [ "$1" = vocaboro ]; then
        id=$(wait_window "Vocaboro Dictionary   1.0") && [ -n "$id" ] || return
        click_at "$id" 448 220
        xdotool type --delay 5 "$(pick casa gatto acqua zz)"; xdotool key Return
        return
    fi
    id=$(wait_window "Vocaboro Dictionary v.2.0") && [ -n "$id" ] || return
    if [ "$depth" -eq 3 ]; then
        click_at "$id" 60 18
        xdotool type --delay 5 "$(pick casa c acqua zz b)"; xdotool key Return "$(pick Down Up alt+Down)"
        return
    fi
    click_at "$id" 312 220 # Alphabet
    answer_prompt "Configure Chartola" || return
    id=$(wait_window "Learning Alphabet") && [ -n "$id" ] || return
    local k
    for ((k = RANDOM % 6; k > 0; k--)); do
        click_at "$id" $((48 + 56 * (RANDOM % 8))) $((56 + 56 * (RANDOM % 6))) $((1 + RANDOM % 3))
    done
    [ "$depth" -eq 5 ] && click_at "$id" 44 384 # About
}

declare -A ends=()
crashes=0
hangs=0
run_one() { # run_one PROGRAM RUN
    local program=$1 run=$2 dir="$work/run" rc
    rm -rf "$dir"
    mkdir -p "$dir"
    ended_by="the end of the input"
    trace=
    (cd "$dir" && ulimit -c unlimited && exec "$work/bin/$program" >"$dir/output" 2>&1) &
    pid=$!
    chance 75 && guided "$program"
    local steps=$((1 + RANDOM % max_steps)) s
    for ((s = 0; s < steps; s++)); do
        kill -0 "$pid" 2>/dev/null || break
        step
    done
    # Quit what is left: the frame of every window, then a signal.
    local our_signal=0
    if kill -0 "$pid" 2>/dev/null; then
        local round
        for round in 1 2 3; do
            for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
                xdotool windowfocus "$id" 2>/dev/null; xdotool key alt+F4 2>/dev/null
                sleep 0.1
                kill -0 "$pid" 2>/dev/null || break 2
            done
        done
        for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
        # Alive with no window left: it may hang on its way out. Its stacks tell.
        if kill -0 "$pid" 2>/dev/null && [ -z "$(windows)" ] && command -v gdb >/dev/null; then
            gdb -p "$pid" -batch -ex 'thread apply all bt' >"$dir/stacks" 2>&1
            if grep -q '__run_exit_handlers' "$dir/stacks"; then
                hangs=$((hangs + 1))
                rm -rf "$out/hang-$run-$program"
                cp -r "$dir" "$out/hang-$run-$program"
                log "HANG at exit: $program run $run -> $out/hang-$run-$program"
            fi
        fi
        if kill -0 "$pid" 2>/dev/null; then
            kill -TERM "$pid" 2>/dev/null
            our_signal=15
            for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
            kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; our_signal=9; }
        fi
    fi
    wait "$pid"
    rc=$?
    pid=
    local kind="exit $rc"
    [ "$rc" -gt 128 ] && kind="signal $((rc - 128))"
    [ "$ended_by" = SIGTERM ] && [ "$rc" = 143 ] && our_signal=15
    [ "$our_signal" -ne 0 ] && [ "$rc" = $((128 + our_signal)) ] && kind="signal $our_signal (ours)"
    ends["$program: $kind"]=$((${ends["$program: $kind"]:-0} + 1))
    echo "$program $run: $kind, $steps steps, last: $ended_by; $trace" >>"$out/runs.log"
    sed "s/^/$program: /" "$dir/output" >>"$out/messages.all"
    if { [ "$rc" -gt 128 ] && [ "$kind" = "signal $((rc - 128))" ]; } ||
        grep -qE 'ERROR: AddressSanitizer|runtime error:|QThread: Destroyed|Assertion .* failed|double free|corrupted' "$dir/output"; then
        crashes=$((crashes + 1))
        local keep="$out/crash-$run-$program"
        rm -rf "$keep"
        cp -r "$dir" "$keep"
        echo "$program run $run (seed $seed): $kind after $steps steps, last: $ended_by" >"$keep/what"
        if [ -f "$keep/core" ] && command -v gdb >/dev/null; then
            gdb -batch -ex 'thread apply all bt' "$work/bin/$program" "$keep/core" >"$keep/backtrace" 2>&1
            mv "$keep/core" "$keep/core.$program"
        fi
        log "CRASH: $(cat "$keep/what") -> $keep"
    fi
}

: >"$out/runs.log"
: >"$out/messages.all"
log "seed $seed, $count runs of each program on $display, output in $out"
for ((r = 1; r <= count; r++)); do
    for program in $(pick "chartola vocaboro" "vocaboro chartola"); do
        run_one "$program" "$r"
    done
    [ $((r % 50)) -eq 0 ] && { fresh_data; log "$r of $count"; }
done
{
    echo "seed $seed, $count runs of each program"
    for k in "${!ends[@]}"; do echo "$k: ${ends[$k]}"; done | sort
    echo "runs kept as crashes: $crashes"
    echo "runs that hung on their way out: $hangs"
    echo "what the programs printed (runs, line):"
    sort "$out/messages.all" | uniq -c | sort -rn | head -40
} | tee "$out/summary"
[ "$crashes" -eq 0 ] && [ "$hangs" -eq 0 ]
