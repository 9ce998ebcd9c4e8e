#!/usr/bin/env bash
# End to end on a real X server: the main window on a generated project
# (tools/calview --main) on the SDL backend, worked with xdotool: a display
# mode toggle, F12 for the optional menu, the snapshot button, and Ctrl+Q,
# which must end the program through the application's answer.
#
#   mainwin_e2e.sh PATH-TO-CALVIEW
#
# Exit 77 (skipped) only when Xvfb itself is not installed.
set -uo pipefail

program=${1:?usage: mainwin_e2e.sh PATH-TO-CALVIEW}
case $0 in */*) here=${0%/*} ;; *) here=. ;; esac
export LSAN_OPTIONS="suppressions=$(cd "$here" && pwd)/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

if ! command -v Xvfb >/dev/null 2>&1; then
    echo "SKIP: Xvfb is not installed"
    exit 77
fi
for tool in xdotool import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL: $tool is missing (scripts/install-deps installs it)"
        exit 1
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/mainwin-e2e.XXXXXX")
xvfb_pid=
program_pid=

cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "--- program output"
    tail -n 20 "$work/out.txt" 2>/dev/null
    echo "--- program errors"
    cat "$work/err.txt" 2>/dev/null
    exit 1
}

# Polls a command every 0.1 s until it succeeds or the seconds run out.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

printed() { grep -qxF -- "$1" "$work/out.txt"; }

expect_line() {
    wait_for 10 printed "$1" || fail "the program did not print \"$1\""
}

# The colour of one pixel of a PNG as RRGGBB.
pixel() {
    convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- |
        sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr 'a-f' 'A-F'
}

# True when the pixel is within 2 of each channel of the expected colour.
near() {
    local got=$1 want=$2 i
    [ ${#got} -eq 6 ] || return 1
    for i in 0 2 4; do
        local a=$((16#${got:i:2})) b=$((16#${want:i:2}))
        [ $((a > b ? a - b : b - a)) -le 2 ] || return 1
    done
}

grab() { timeout 10 import -display "$display" -window "$window" "$work/shot.png" 2>/dev/null; }

# Pixels darker than mid-grey in a crop WxH+X+Y of the last grab.
dark_count() {
    convert "$work/shot.png" -crop "$1" +repage -colorspace gray -threshold 50% \
        -negate -format '%[fx:int(mean*w*h+0.5)]' info:
}

Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 15 test -s "$work/display" || {
    cat "$work/xvfb.log"
    fail "Xvfb did not start"
}
display=":$(head -n 1 "$work/display")"
export DISPLAY=$display
wait_for 10 xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb does not answer on $display"

VANTREL_BACKEND=sdl stdbuf -oL "$program" --main >"$work/out.txt" 2>"$work/err.txt" &
program_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vantrel: benchplan$' 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "no main window with the project's title appeared"

# The window is 1000 x 560: the bottom row's middle is at y = 546.
lit_is() {
    grab || return 1
    local worker order
    worker=$(pixel "$work/shot.png" 297 546)
    order=$(pixel "$work/shot.png" 387 546)
    case $1 in
    worker) [ "$worker" != "$order" ] && [ "$order" = "$(pixel "$work/shot.png" 207 546)" ] ;;
    order) [ "$worker" != "$order" ] && [ "$worker" = "$(pixel "$work/shot.png" 207 546)" ] ;;
    esac
}
wait_for 10 lit_is worker || fail "\"Worker List\" is not the lit toggle at start"
near "$(pixel "$work/shot.png" 162 547)" EDF2EB || fail "the bottom row is not the plain background"

xdotool mousemove --window "$window" 387 546 click 1
wait_for 10 lit_is order || fail "clicking \"Order List\" did not light it"

# F12 adds the "Optional" menu after "Optimize " in the menu bar.
grab
before=$(dark_count 70x16+390+2)
xdotool key F12
optional_shown() { grab && [ "$(dark_count 70x16+390+2)" -gt $((before + 20)) ]; }
wait_for 10 optional_shown || fail "F12 added no menu to the bar"

# The snapshot button writes the picture whole into "defs".
xdotool mousemove --window "$window" 462 546 click 1
wait_for 15 grep -q "^OK.*vtsnap.jpg 0" "$work/out.txt" || fail "no snapshot was written"

xdotool key ctrl+q
program_exited() { ! kill -0 "$program_pid" 2>/dev/null; }
wait_for 10 program_exited || fail "the program did not end after Ctrl+Q"
wait "$program_pid"
status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the program exited with status $status"
grep -q "DEL CalenderWin DONE" "$work/out.txt" || fail "the main window was not destroyed"

echo "PASS: main window end to end on $display"
exit 0
