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
name=mainwin-e2e
# shellcheck source=e2e-lib.sh
. "$here/e2e-lib.sh"

grab() { timeout 10 import -display "$display" -window "$window" "$work/shot.png" 2>/dev/null; }

# Pixels darker than mid-grey in a crop WxH+X+Y of the last grab.
dark_count() {
    convert "$work/shot.png" -crop "$1" +repage -colorspace gray -threshold 50% \
        -negate -format '%[fx:int(mean*w*h+0.5)]' info:
}

start_xvfb

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
wait_for 10 program_exited || fail "the program did not end after Ctrl+Q"
wait "$program_pid"
status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the program exited with status $status"
grep -q "DEL CalenderWin DONE" "$work/out.txt" || fail "the main window was not destroyed"

echo "PASS: main window end to end on $display"
exit 0
