#!/usr/bin/env bash
# The installed program on a real X server, as a fresh desktop user whose
# home and XDG folders are private. The first start seeds the data folder;
# File > Open > Demo, F1 and Ctrl+S save the demo there; Ctrl+Q ends the
# program and leaves the settings in the config folder. The second start is
# given the project file, as a double-click in the file manager would, and
# comes back with the first start's window size. Nothing may be written
# under the prefix or elsewhere in the home folder.
#
#   install_e2e.sh BUILD-FOLDER [PICTURES-FOLDER]
#
# PICTURES-FOLDER receives the user guide's pictures of the demo project:
# main-window.png, order-editor.png, worker-editor.png and calendar.png.
# Exit 77 (skipped) only when Xvfb itself is not installed.
set -uo pipefail

build=${1:?usage: install_e2e.sh BUILD-FOLDER [PICTURES-FOLDER]}
pictures=${2:-}
case $0 in */*) here=${0%/*}/../e2e ;; *) here=../e2e ;; esac
name=install-e2e
# shellcheck source=../e2e/e2e-lib.sh
. "$here/e2e-lib.sh"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "cmake --install"; }
find "$prefix" -printf '%p %s %T@\n' | sort >"$work/prefix.before"

user=$work/user
home=$user/home
data=$user/data/vantrel
config=$user/config
mkdir -p "$home" "$user/runtime"
chmod 700 "$user/runtime"

# Started as the desktop starts it: from the home folder, through nothing
# but the environment a session has.
start_program() {
    (cd "$home" && env -u VANTREL_BACKEND -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY \
        HOME="$home" XDG_DATA_HOME="$user/data" XDG_CONFIG_HOME="$config" \
        XDG_CACHE_HOME="$user/cache" XDG_STATE_HOME="$user/state" XDG_RUNTIME_DIR="$user/runtime" \
        stdbuf -oL "$prefix/bin/vantrel" "$@") >>"$work/out.txt" 2>>"$work/err.txt" &
    program_pid=$!
}

# Ctrl+Q with nothing unsaved: the program ends at once with status 0.
quit_program() {
    to_window "$1"
    xdotool key ctrl+q
    wait_for 15 program_exited || {
        [ -n "$(xdotool search --onlyvisible --name '^Unsaved changes$' 2>/dev/null)" ] &&
            fail "Ctrl+Q asked about unsaved changes $2"
        fail "the program did not end on Ctrl+Q $2"
    }
    wait "$program_pid"
    local status=$?
    program_pid=
    [ "$status" -eq 0 ] || fail "the program exited with status $status $2"
}

# A picture of one window, raised above the others (the X server copies the
# screen), kept for the guide when a pictures folder is given. It must show
# open jobs: a black or empty window has none of their teal.
shoot() {
    local window=$1 picture=$2 least=$3
    to_window "$window"
    # shellcheck disable=SC2317
    drawn() {
        timeout 10 import -display "$display" -window "$window" "$work/$picture" 2>/dev/null &&
            [ "$(open_job_pixels "$work/$picture")" -gt "$least" ]
    }
    wait_for 10 drawn || fail "$picture: the window shows no open jobs"
    if [ -n "$pictures" ] && ! { mkdir -p "$pictures" && cp "$work/$picture" "$pictures/"; }; then
        fail "cannot write $pictures/$picture"
    fi
}

plan_dates() {
    sed -n 's/^\[IT\]\[\([^]]*\)\]\[[^]]*\]\[[^]]*\]\[[^]]*\]\[ *\([^]]*\)\].*/\1 \2/p' "$1" | sort
}

start_xvfb

# --- First start: seeding, File > Open > Demo, the pictures, F1, Ctrl+S.

start_program
window=$(find_window '^Vantrel$')
[ -n "$window" ] || fail "no main window titled \"Vantrel\" appeared"
for file in defs/Demo.vto defs/Demo.vtw defs/holiday.vth templates/language.html icons/Job.png; do
    cmp -s "$prefix/share/vantrel/$file" "$data/$file" || fail "not seeded: $data/$file"
done
# Room for the demo's eight workers; the size goes into the settings.
timeout 5 xdotool windowsize --sync "$window" 1000 250 2>/dev/null

open_first_project "$window"
[ -n "$(find_window '^Vantrel: Demo$')" ] || fail "File > Open > Demo did not open the demo project"
order_editor=$(find_window '^Order: Demo$')
worker_editor=$(find_window '^Workout: Demo$')
[ -n "$order_editor" ] || fail "the order editor did not open with the project"
[ -n "$worker_editor" ] || fail "the worker editor did not open with the project"
# Side by side below the main window, so that no picture holds another
# window.
xdotool windowmove --sync "$order_editor" 20 400
xdotool windowmove --sync "$worker_editor" 520 400

shoot "$window" main-window.png 200
shoot "$order_editor" order-editor.png 100
shoot "$worker_editor" worker-editor.png 100

to_window "$window"
xdotool key F1
xdotool key ctrl+s
wait_for 10 test -s "$data/defs/Demo.xml" || fail "Ctrl+S wrote no Demo.xml into the data folder"
grep -q "<VT_proj>" "$data/defs/Demo.xml" || fail "Demo.xml is no project export"
# The save lands in the data folder: F1 moved at least one order a day
# earlier, and no order later.
wait_for 5 sh -c "! cmp -s '$prefix/share/vantrel/defs/Demo.vto' '$data/defs/Demo.vto'" ||
    fail "Ctrl+S did not change the data folder's Demo.vto"
plan_dates "$prefix/share/vantrel/defs/Demo.vto" >"$work/dates.installed"
plan_dates "$data/defs/Demo.vto" >"$work/dates.saved"
# Lines are "<order name> <plan date>"; the names hold spaces.
declare -A saved_date
while read -r line; do saved_date[${line% *}]=${line##* }; done <"$work/dates.saved"
moved=0
while read -r line; do
    order=${line% *} date=${line##* }
    saved=${saved_date[$order]:-}
    if [ "$saved" = "$(date -d "$date -1 day" +%Y/%m/%d)" ]; then
        moved=$((moved + 1))
    elif [ "$saved" != "$date" ]; then
        fail "order $order: saved \"$saved\", installed $date, before F1"
    fi
done <"$work/dates.installed"
[ "$moved" -gt 0 ] || fail "F1 moved no order of the demo"
cp "$data/defs/Demo.vto" "$work/Demo.saved"

quit_program "$window" "after the save"
settings=$config/_LP_x-vnd.KS/VTZ_settings
[ -s "$settings" ] || fail "no settings in \$XDG_CONFIG_HOME: $(find "$config" 2>/dev/null)"

# --- Second start: the project file on the command line.

start_program "$data/defs/Demo.vto"
window=$(find_window '^Vantrel: Demo$')
[ -n "$window" ] || fail "vantrel $data/defs/Demo.vto did not open the project"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH"x"$HEIGHT" = 1000x250 ] ||
    fail "the window came back at ${WIDTH}x$HEIGHT, not at the 1000x250 of the settings"

# The calendar with one bar per order, for the guide.
timeout 5 xdotool windowsize --sync "$window" 1200 600 2>/dev/null
to_window "$window"
timeout 10 import -display "$display" -window "$window" "$work/worker-list.png" 2>/dev/null
xdotool mousemove --window "$window" 389 586 click 1
# shellcheck disable=SC2317
order_list() {
    timeout 10 import -display "$display" -window "$window" "$work/order-list.png" 2>/dev/null &&
        [ "$(compare -metric AE "$work/worker-list.png" "$work/order-list.png" null: 2>&1)" -gt 20000 ]
}
wait_for 10 order_list || fail "the Order List button did not change the calendar"
shoot "$window" calendar.png 1000

quit_program "$window" "after opening the project given on the command line"
cmp -s "$work/Demo.saved" "$data/defs/Demo.vto" || fail "the second start changed Demo.vto unasked"

# --- Where everything went.

find "$prefix" -printf '%p %s %T@\n' | sort >"$work/prefix.after"
diff "$work/prefix.before" "$work/prefix.after" || fail "the program wrote under the prefix"
[ -z "$(ls -A "$home")" ] || fail "the program wrote into the home folder: $(find "$home" -mindepth 1)"
[ "$(find "$user" -name VTZ_settings)" = "$settings" ] || fail "settings outside \$XDG_CONFIG_HOME"

echo "PASS: the installed program end to end on $display"
exit 0
