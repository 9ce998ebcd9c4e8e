#!/usr/bin/env bash
# End to end on a real X server: starts Xvfb, runs the toolkit gallery on
# the SDL backend, works it with xdotool like a user (click, type, function
# key), reads the window back with ImageMagick's import and checks pixels
# and what the gallery printed.
#
#   gallery_e2e.sh PATH-TO-KITGALLERY
#
# Exit 77 (skipped) only when Xvfb itself is not installed. Every wait polls
# with a deadline; nothing sleeps for a fixed long time.
set -uo pipefail

gallery=${1:?usage: gallery_e2e.sh PATH-TO-KITGALLERY}
case $0 in */*) here=${0%/*} ;; *) here=. ;; esac
name=gallery-e2e
# shellcheck source=e2e-lib.sh
. "$here/e2e-lib.sh"

# The window as a PNG. import waits for the window's events, so it is
# bounded too.
grab() { timeout 10 import -display "$display" -window "$window" "$work/shot.png" 2>/dev/null; }

sample_shows() {
    grab && [ "$(pixel "$work/shot.png" "$1" "$2")" = "$3" ]
}

# --- An X server of our own, on a display number it picks itself.
start_xvfb

# --- The gallery on the SDL backend.
VANTREL_BACKEND=sdl "$gallery" >"$work/out.txt" 2>"$work/err.txt" &
program_pid=$!
expect_line "gallery: ready"
window=$(timeout 15 xdotool search --sync --onlyvisible --name '^Kit gallery$' 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "no gallery window appeared"

# Drawing modes, orange (255, 128, 0, alpha 128) on blue (0, 102, 204):
# sample centres at x = 55 + 100 * i, y = 81.
wait_for 10 sample_shows 55 81 FF8000 || fail "COPY sample is $(pixel "$work/shot.png" 55 81)"
checks=(
    "155 81 FF8000 OVER"
    "255 81 7F7366 BLEND"
    "355 81 006600 MIN"
    "455 81 FF80CC MAX"
    "555 81 807366 ALPHA"
    "655 81 FF9933 INVERT"
    "15 41 0066CC background"
)
for check in "${checks[@]}"; do
    read -r x y want name <<<"$check"
    got=$(pixel "$work/shot.png" "$x" "$y")
    near "$got" "$want" || fail "$name sample at ($x, $y) is #$got, not #$want"
done

# The window takes the keyboard when it is shown.
expect_line "window: active"

# A click on the button, and one on the check box.
xdotool mousemove --window "$window" 185 208 click 1
expect_line "button: Press"
xdotool mousemove --window "$window" 258 208 click 1
expect_line "check: 1"

# Typing into the text field, then Enter.
xdotool mousemove --window "$window" 330 176 click 1
xdotool type --delay 30 "hello"
xdotool key Return
expect_line "text: hello"

# A function key.
xdotool key F1
expect_line "key: F1"

# A menu: the File title opens its own window; About is its first item.
# A click that reaches the menu window in the moment it is mapped, before
# it tracks the pointer, can go unseen on a loaded machine; a person would
# click again, and so does the test (the title closes a menu left open).
choose_about() {
    xdotool mousemove --window "$window" 15 10 click 1
    menu=$(timeout 5 xdotool search --sync --onlyvisible --name '^File$' 2>/dev/null | head -n 1)
    [ -n "$menu" ] || return 1
    sleep 0.2
    xdotool mousemove --window "$menu" 30 10 click 1
    wait_for 3 printed "menu: About"
}
for attempt in 1 2 3; do
    choose_about && break
done
expect_line "menu: About"

# What the clicks and keys changed is on the screen: the text field shows
# its text and the check box its mark, dark on white where it was all white.
wait_for 20 grab || fail "cannot read the window back"
dark_in() {
    local n
    n=$(convert "$work/shot.png" -crop "$1" +repage -colorspace gray -threshold 40% \
        -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
    [ "$n" -gt 10 ]
}
dark_in 200x14+270+169 || fail "the text field shows no text"
dark_in 7x7+253+204 || fail "the check box shows no mark"

# Ctrl+Q is the Quit item's shortcut: the program ends cleanly.
xdotool key ctrl+q
expect_line "quit"
wait_for 10 program_exited || fail "the gallery did not exit after Quit"
wait "$program_pid"
status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the gallery exited with status $status"

echo "PASS: gallery end to end on $display"
exit 0
