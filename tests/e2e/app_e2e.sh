#!/usr/bin/env bash
# End to end on a real X server: the program itself, copied with its
# resources into a private program folder that holds a project planned from
# today. Worked with xdotool as a planner would: File > Open > "plan", F1,
# Ctrl+S; then a change left unsaved, Ctrl+Q answered "Cancel" (the program
# stays) and again answered "Discard"; the program must end with status 0,
# the saved files must hold the move of F1 and not the unsaved one.
#
#   app_e2e.sh PATH-TO-VANTREL [SCREENSHOT.png]
#
# SCREENSHOT.png receives the main window with the project's bars.
# Exit 77 (skipped) only when Xvfb itself is not installed.
set -uo pipefail

program=${1:?usage: app_e2e.sh PATH-TO-VANTREL [SCREENSHOT.png]}
screenshot=${2:-}
case $0 in */*) here=${0%/*} ;; *) here=. ;; esac
name=app-e2e
# shellcheck source=e2e-lib.sh
. "$here/e2e-lib.sh"

# --- The program folder: the binary with its resources, and the project.

folder=$work/program
mkdir -p "$folder/defs" "$work/config"
cp "$program" "$folder/vantrel" || fail "cannot copy $program"
for resource in templates icons; do
    [ -d "${program%/*}/$resource" ] && cp -r "${program%/*}/$resource" "$folder/"
done

day() { date -d "$1 days" +%Y/%m/%d; }

# Four workers with an ordinary week; six active orders with open jobs
# planned some days ahead, so F1 has room to move each of them.
week='[WD][Mo][7:00][8:00][0:45]
[WD][Di][7:00][8:00][0:45]
[WD][Mi][7:00][8:00][0:45]
[WD][Do][7:00][8:00][0:45]
[WD][Fr][7:00][8:00][0:45]
[WD][Sa][7:00][0:00][0:45]
[WD][So][7:00][0:00][0:45]'
{
    id=0
    for worker in "Anna Berg:AB" "Bert Cramer:BC" "Carla Diehl:CD" "Dirk Engel:DE"; do
        id=$((id + 1))
        [ "$id" -gt 1 ] && printf '; --\n'
        printf '; --\n[IT][%s][%s][47%02d][%d][0]\n%s\n; --' "${worker%:*}" "${worker#*:}" "$id" "$id" "$week"
    done
    printf '; --'
} >"$folder/defs/plan.vtw"
{
    # name, plan date and deadline in days from today, then jobs as
    # worker:hours:text
    while read -r name plan deadline jobs; do
        printf '; ---\n[IT][%s][Z-%s][-][%s][%s][0][1][2]\n' "$name" "${name#*-}" "$(day "$deadline")" "$(day "$plan")"
        place=0
        for job in $jobs; do
            IFS=: read -r worker hours text <<<"$job"
            printf '[PB][%d][%d][%d][%d][%d][0][%s:00][%d][%s]\n' $((1 + place * 6)) $((7 + place * 6)) \
                $((1 + place * 3)) $((3 + place * 3)) "$worker" "$hours" "$place" "$text"
            place=$((place + 1))
        done
    done <<'ORDERS'
A-100 8 40 1:16:Saw 2:8:Weld
B-200 9 45 2:24:Mill 1:6:Paint
C-300 13 50 3:20:Turn 4:12:Grind
D-400 16 55 4:30:Assemble
E-500 20 60 1:18:Drill 3:10:Deburr 2:6:Pack
F-600 27 70 3:16:Coat 4:8:Test
ORDERS
    printf '; ---'
} >"$folder/defs/plan.vto"
cp "$folder/defs/plan.vto" "$work/plan.before"

# "A-100 2026/01/20" for each order of an order file, sorted by name.
plan_dates() {
    sed -n 's/^\[IT\]\[\([^]]*\)\]\[[^]]*\]\[[^]]*\]\[[^]]*\]\[ *\([^]]*\)\].*/\1 \2/p' "$1" | sort
}

# --- The X server and the program.

start_xvfb

(cd "$work" && XDG_CONFIG_HOME="$work/config" VANTREL_BACKEND=sdl \
    exec stdbuf -oL "$folder/vantrel") >"$work/out.txt" 2>"$work/err.txt" &
program_pid=$!
window=$(find_window '^Vantrel$')
[ -n "$window" ] || fail "no main window titled \"Vantrel\" appeared"
# Room for the bars; the program keeps the new size in its settings.
timeout 5 xdotool windowsize --sync "$window" 1000 230 2>/dev/null

# --- File > Open > plan.

open_first_project "$window"
[ -n "$(find_window '^Vantrel: plan$')" ] || fail "the main window's title did not become \"Vantrel: plan\""
[ -n "$(find_window '^Order: plan$')" ] || fail "the order editor did not open with the project"
[ -n "$(find_window '^Workout: plan$')" ] || fail "the worker editor did not open with the project"

# --- F1 and Ctrl+S on the main window.

to_main_window() { to_window "$window"; }
to_main_window
xdotool key F1
saved() { [ -s "$folder/defs/plan.xml" ]; }
xdotool key ctrl+s
wait_for 10 saved || fail "Ctrl+S wrote no plan.xml"
wait_for 5 sh -c "! cmp -s '$work/plan.before' '$folder/defs/plan.vto'" ||
    fail "Ctrl+S did not change plan.vto"
[ -s "$folder/defs/plan.vtw" ] || fail "Ctrl+S left no plan.vtw"

# F1 plans an order one day earlier when its workers are free before it
# (the first order always, as they are free from today); none goes later.
plan_dates "$work/plan.before" >"$work/dates.before"
plan_dates "$folder/defs/plan.vto" >"$work/dates.saved"
moved=0
while read -r name date; do
    earlier=$(date -d "$date -1 day" +%Y/%m/%d)
    if grep -qxF "$name $earlier" "$work/dates.saved"; then
        moved=$((moved + 1))
    else
        grep -qxF "$name $date" "$work/dates.saved" ||
            fail "order $name: saved \"$(grep "^$name " "$work/dates.saved")\", planned $date before F1"
    fi
done <"$work/dates.before"
[ "$moved" -gt 0 ] || fail "F1 moved no order"
grep -qxF "A-100 $(date -d "$(grep '^A-100 ' "$work/dates.before" | cut -d' ' -f2) -1 day" +%Y/%m/%d)" \
    "$work/dates.saved" || fail "F1 did not move the first order, whose workers are free"
grep -q "<VT_proj>" "$folder/defs/plan.xml" || fail "plan.xml is no project export"
cp "$folder/defs/plan.vto" "$work/plan.saved"

# The main window with its bars.
bars_drawn() {
    timeout 10 import -display "$display" -window "$window" "$work/shot.png" 2>/dev/null || return 1
    [ "$(open_job_pixels "$work/shot.png")" -gt 200 ]
}
wait_for 10 bars_drawn || fail "the main window shows no bars"
[ -n "$screenshot" ] && cp "$work/shot.png" "$screenshot"

# --- Unsaved work is not thrown away unasked.

xdotool key F1
xdotool key ctrl+q
question=$(find_window '^Unsaved changes$')
[ -n "$question" ] || fail "Ctrl+Q with unsaved changes did not ask"
# The question has the keyboard; Escape presses its last button.
xdotool key Escape
wait_for 10 no_window '^Unsaved changes$' || fail "Escape did not answer the question"
sleep 0.5
program_exited && fail "the program ended although the question was cancelled"
[ -n "$(find_window '^Vantrel: plan$')" ] || fail "the main window went although cancelled"
cmp -s "$work/plan.saved" "$folder/defs/plan.vto" || fail "cancelling wrote the project"

to_main_window
xdotool key ctrl+q
question=$(find_window '^Unsaved changes$')
[ -n "$question" ] || fail "the second Ctrl+Q did not ask"
xdotool key d
wait_for 15 program_exited || fail "the program did not end after \"Discard\""
wait "$program_pid"
status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the program exited with status $status"
cmp -s "$work/plan.saved" "$folder/defs/plan.vto" || fail "\"Discard\" wrote the project"
[ -n "$(find "$work/config" -name VTZ_settings -newer "$work/plan.saved")" ] ||
    fail "the settings were not written on the way out"

echo "PASS: the program end to end on $display"
exit 0
