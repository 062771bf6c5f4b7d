#!/usr/bin/env bash
# Form1 answered at the board: the number pad clicked with the mouse alone, no
# key pressed once the exercise is open, as a finger on an interactive board
# would tap it:
#   1. --tastierino --euro: a right total with "virgola", then wrong cents;
#   2. full screen on a 1920x1080 display: the pad shows by itself; a right total.
# Each case leaves a screenshot in $MERCANZOLA_SHOTS when that folder is given.
# Usage: touch_pad.sh PROGRAM_FOLDER. Exit 0 when all pass, 1 when one fails,
# 77 when no X server can be had.

set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/lib.sh
source "$here/lib.sh"
own_session_bus "$@"
walk_folders touch "${1:-}"
suite="touch"
trap end_walk EXIT

# A board's display.
xserver_screen=1920x1080x24
# The exercise screens grow by the pad's strip, 200 pixels wide.
WithPad='921x6..'

# Clicks the pad's keys where the screen reader says they are: each word is a
# key's name, but digits and commas ("virgola") are tapped one by one.
tap() { # words...
    local key keys line
    read -ra keys < <(sed 's/[0-9,]/ &/g; s/,/virgola/g' <<<"$*")
    for key in "${keys[@]}"; do
        line=$(atspi_read find --role "push button" --exact --centre --wait 3 "$key" | head -n 1) ||
            fail "no pad key \"$key\"" || return 1
        xdotool mousemove "$(cut -f 4 <<<"$line")" "$(cut -f 5 <<<"$line")" click 1
    done
}

shot() { # name
    [[ -n ${MERCANZOLA_SHOTS:-} ]] || return 0
    mkdir -p "$MERCANZOLA_SHOTS" && import -window root "$MERCANZOLA_SHOTS/$1.png"
}

# Form1's right total: in lire a whole number, in euro with a comma and cents.
right_total() {
    local price quantity digits
    price=$(heard_after "costo unitario: ") && quantity=$(heard_after "quantità: ") ||
        fail "Form1's unit cost and quantity are not heard" || return 1
    digits=$((10#${price//[.,]/} * quantity))
    [[ $price != *,* ]] || digits=$(printf '%d,%02d' $((digits / 100)) $((digits % 100)))
    echo "$digits"
}

# Form1 right by taps alone; then, with a wrong answer given, wrong and "cancella".
answer_by_taps() { # window pattern, screenshot name, wrong answer or nothing, options...
    program_args=("${@:4}")
    start_program "$program_dir" "$work/$2.log"
    program_args=()
    local Exercise=$1 total
    [[ $1 == "$WithPad" ]] || local Start=$1 Menu=$1
    open_first_exercise && total=$(right_total) || return 1
    tap "$total" && box_holds "costo totale" "$total" "tapping $total" || return 1
    shot "$2"
    tap invio && counts_heard 1 0 "$total tapped, then invio" || return 1
    if [[ -n $3 ]]; then
        tap "$3" invio && counts_heard 1 1 "$3 tapped, then invio" || return 1
        tap cancella && box_holds "costo totale" "${3%?}" "cancella after a wrong $3" || return 1
    fi
    back_to_menu && leave_program
}

start_xserver_or_exit 2
[[ -n ${MERCANZOLA_E2E_BUS:-} ]] || echo "no dbus-run-session (package dbus)" >"$work/bus.txt"
if [[ -s $work/bus.txt ]] || ! start_a11y_bus >"$work/bus.txt"; then
    echo "touch: the pad cannot be found as a screen reader does: $(cat "$work/bus.txt")"
    echo "touch: 0 passed, 2 failed"
    exit 1
fi
program_env=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)

run_case "euro: Form1 right with virgola, wrong cents" answer_by_taps "$work/window-euro.log" \
    "$WithPad" window-euro 0,17 --tastierino --euro
run_case "full screen: the pad by itself, Form1 right" answer_by_taps "$work/full-screen.log" \
    1920x1080 full-screen "" --schermo-intero

echo "touch: $passed passed, $failed failed"
((failed == 0))
