# What the end-to-end scripts share: the skip when Xvfb is missing, a private
# work folder, bounded waits, failure reports, pixel checks and a private X
# server. Sourced by each script after it has set `here` (its folder) and
# `name` (the work folder's prefix); the program under test runs as
# $program_pid and writes $work/out.txt and $work/err.txt.

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
