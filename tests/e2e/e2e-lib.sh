# What the end-to-end scripts share: the skip when Xvfb is missing, a private
# work folder, bounded waits, failure reports, pixel checks, a private X
# server, and finding and working the program's windows. Sourced by each
# script after it has set `here` (this folder) and `name` (the work folder's
# prefix); the program under test runs as $program_pid and writes
# $work/out.txt and $work/err.txt.

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

work=$(mktemp -d "${TMPDIR:-/tmp}/$name.XXXXXX")
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
    tail -n 30 "$work/out.txt" 2>/dev/null
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

program_exited() { ! kill -0 "$program_pid" 2>/dev/null; }

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

# A private X server; sets display and DISPLAY.
start_xvfb() {
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    wait_for 15 test -s "$work/display" || {
        cat "$work/xvfb.log"
        fail "Xvfb did not start"
    }
    display=":$(head -n 1 "$work/display")"
    export DISPLAY=$display
    wait_for 10 xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb does not answer on $display"
}

# The one visible window whose title matches the pattern, within 10 s.
find_window() {
    timeout 10 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}
no_window() { [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }

# There is no window manager: a window is raised and given the keyboard by
# hand, as a click on it would, and the pointer rests inside it.
to_window() {
    xdotool windowraise "$1"
    timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null
    xdotool mousemove --window "$1" 500 150
}

# File > Open > the first project of defs, in the program's main window.
open_first_project() {
    wait_for 10 sh -c "xdotool mousemove --window $1 17 8 click 1 && sleep 0.3 &&
        xdotool search --onlyvisible --name '^File\$' >/dev/null" || fail "the File menu did not open"
    local file_menu open_menu
    file_menu=$(find_window '^File$')
    # "Open" is the menu's first item; resting on it shows the projects.
    xdotool mousemove --window "$file_menu" 30 11
    open_menu=$(find_window '^Open$')
    [ -n "$open_menu" ] || fail "File > Open shows no projects"
    xdotool mousemove --window "$open_menu" 20 11
    # A click that comes while the just-opened menu window is still taking
    # over the pointer can be lost; the menu stays open, so try again.
    for _ in 1 2 3; do
        sleep 0.2
        xdotool click 1
        wait_for 3 no_window '^Open$' && return 0
    done
    fail "File > Open: the menu did not take the click on the first project"
}

# How many pixels of a PNG show an open job's teal; an empty calendar has
# none.
open_job_pixels() {
    convert "$1" -alpha off -fuzz 4% -fill black +opaque "#7FC5C5" \
        -fill white -opaque "#7FC5C5" -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:
}
