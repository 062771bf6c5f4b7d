#!/usr/bin/env bash
# Form1 answered at the board: the number pad clicked with the mouse alone, no
# key pressed once the exercise is open, as a finger on an interactive board
# would tap it:
#   1. --tastierino --euro: a right total with "virgola", then wrong cents;
#   2. full screen on a 1920x1080 display: the pad shows by itself; a right total;
#   3. double taps (two clicks 120 ms apart) act once: on "Avvio", a menu
#      button, "invio" after a right gain, "Sì" and a wrong "perdita"; a gain
#      tapped with "meno" is wrong.
#   4. full screen with the record on and no class list: the letter pad by a
#      mouse alone, a double-tapped letter typed twice; a double tap on the
#      menu's "No" leaves the menu on show;
#   5. full screen in euro, "tabelle 1": a digit tapped 0.2 s after a right
#      answer types into the next cell; a double tap on "virgola" gives one
#      comma; "invio" again on the same wrong answer counts no second error,
#      and the next digit starts the answer anew.
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

# Clicks a control where the screen reader says it is, once or as a double tap.
click_on() { # role, name, clicks
    local line
    line=$(atspi_read find --role "$1" --exact --centre --wait 3 "$2" | head -n 1) ||
        fail "no $1 \"$2\"" || return 1
    xdotool mousemove "$(cut -f 4 <<<"$line")" "$(cut -f 5 <<<"$line")" \
        click --repeat "${3:-1}" --delay 120 1
}

# Clicks the pad's keys: each word is a key's name, but digits and commas
# ("virgola") are tapped one by one. A key other than a digit tapped again
# within half a second acts once, as a double tap: "cancella cancella" waits.
tap() { # words...
    local key keys last=
    read -ra keys < <(sed 's/[0-9,]/ &/g; s/,/virgola/g' <<<"$*")
    for key in "${keys[@]}"; do
        [[ $key != "$last" || $key == [0-9] ]] || sleep 0.6
        click_on "push button" "$key" || return 1
        last=$key
    done
}

# A second after a double tap, one screen on show, on which the screen reader
# finds the control $2 (role $1): the second tap opened nothing more.
shows() { # role, name, what
    sleep 1
    windows_are 1920x1080 && atspi_read find --role "$1" --exact --wait 3 "$2" >/dev/null ||
        fail "$3: not one screen with the $1 \"$2\", but '$(program_windows)'"
}

# The amount a value label shows, as digits (and a minus).
amount_heard() { # heading
    local shown
    shown=$(heard_after "$1: ") || fail "no \"$1\" heard" || return 1
    echo "${shown//./}"
}

# Full screen, where the second tap lands on what the first one opened.
double_taps() {
    program_args=(--schermo-intero)
    start_program "$program_dir" "$work/double-taps.log"
    program_args=()
    local Start=1920x1080 Menu=1920x1080 Exercise=1920x1080 spesa ricavo gain wrong
    # A screen that has just opened lets taps by after half a second.
    expect "$Start" "$Start" "start screen" 15 && sleep 0.6 || return 1
    click_on "push button" Avvio 2 &&
        shows "push button" "trova il guadagno" "a double tap on Avvio" || return 1
    click_on "push button" "trova il guadagno" 2 &&
        shows frame "trova il guadagno" "a double tap on a menu button" &&
        counts_heard 0 0 "Form5 opened by a double tap" || return 1
    spesa=$(amount_heard spesa) && ricavo=$(amount_heard ricavo) || return 1
    gain=$((ricavo - spesa))
    tap meno "$gain" invio && counts_heard 0 1 "a gain of $gain tapped as -$gain" || return 1
    tap cancella cancella cancella cancella cancella cancella cancella cancella &&
        tap "$gain" && click_on "push button" invio 2 &&
        counts_heard 1 1 "the gain $gain, then a double tap on invio" || return 1
    shot double-taps
    sleep 0.6
    click_on "menu item" Esci && expect "$Exercise box" box "the question after Esci" || return 1
    click_on "push button" "Sì" 2 && shows "push button" "tabelle    2" "a double tap on Sì" ||
        return 1
    click_on "push button" "guadagno - perdita" &&
        shows frame "guadagno - perdita" "a tap on guadagno - perdita" || return 1
    spesa=$(amount_heard spesa) && ricavo=$(amount_heard ricavo) || return 1
    if ((ricavo < spesa)); then wrong=guadagno; else wrong=perdita; fi
    click_on "push button" "$wrong" 2 && counts_heard 0 1 "a double tap on a wrong \"$wrong\"" ||
        return 1
    back_to_menu && leave_program
}

# The middle of a control on the display, as "x y".
place_of() { # role, name
    atspi_read find --role "$1" --exact --centre --wait 3 "$2" | head -n 1 | cut -f 4,5 --output-delimiter ' '
}

letter_pad() {
    program_args=(--schermo-intero --registro "$work/registro.sqlite")
    start_program "$program_dir" "$work/letters.log"
    program_args=()
    local Start=1920x1080 Menu=1920x1080
    expect "$Start" "$Start" "start screen" 15 && sleep 0.6 || return 1
    click_on "push button" Avvio && sleep 0.6 && click_on "push button" A &&
        click_on "push button" N 2 &&
        click_on "push button" A && box_holds "il tuo nome" Anna "A, N twice, A on the letter pad" ||
        return 1
    shot letter-pad
    click_on "push button" invio && shows "push button" "trova il costo totale" "invio on a name" ||
        return 1
    click_on "push button" Esci && expect "$Menu box" box "the menu's question" && sleep 0.6 ||
        return 1
    click_on "push button" No 2 && shows "push button" "trova il costo totale" "a double tap on No" ||
        return 1
    click_on "push button" Esci && expect "$Menu box" box "the menu's question again" &&
        sleep 0.6 && click_on "push button" "Sì" && wait_exit 10 ||
        fail "the program did not end after Sì"
}

# An amount in euro as its cents: "1,50" is 150.
cents() { # amount
    local digits=${1//[.,]/}
    echo $((10#${digits#-} * ${1%%[0-9]*}1))
}

table_taps() {
    program_args=(--schermo-intero --euro)
    start_program "$program_dir" "$work/table-taps.log"
    program_args=()
    local Start=1920x1080 Menu=1920x1080 Exercise=1920x1080
    local gain quantity invio wrong digit virgola five
    expect "$Start" "$Start" "start screen" 15 && sleep 0.6 || return 1
    click_on "push button" Avvio && sleep 0.6 && click_on "push button" "tabelle    1" &&
        shows frame "tabelle 1" "a tap on tabelle 1" || return 1
    gain=$(($(cents "$(amount_heard "ricavo di 1")") - $(cents "$(amount_heard "spesa di 1")")))
    # The row of one item has its "quantità: 1"; the other row's is last.
    quantity=$(atspi_read find --role label --wait 3 "quantità: " | tail -n 1 | cut -f 2) &&
        quantity=${quantity#"quantità: "} && [[ -n $quantity ]] ||
        fail "no quantity heard" || return 1
    # A digit whose "N," is a wrong spesa: 7 unless the row costs 7,00 (1,40 x 5).
    digit=7
    (($(cents "$(amount_heard "spesa di 1")") * quantity != 700)) || digit=8
    invio=$(place_of "push button" invio) && wrong=$(place_of "push button" $digit) &&
        virgola=$(place_of "push button" virgola) && five=$(place_of "push button" 5) ||
        fail "the pad's keys are not found" || return 1
    ((gain >= 0)) || tap meno
    gain=${gain#-}
    tap "$(printf '%d,%02d' $((gain / 100)) $((gain % 100)))" || return 1
    # shellcheck disable=SC2086 # two words, x and y
    xdotool mousemove $invio click 1 sleep 0.2 mousemove $wrong click 1 &&
        counts_heard 1 0 "the gain of one item" &&
        box_holds "spesa di $quantity" $digit "$digit tapped 0.2 s after the right gain" || return 1
    # shellcheck disable=SC2086
    xdotool mousemove $virgola click --repeat 2 --delay 120 1 &&
        box_holds "spesa di $quantity" "$digit," "a double tap on virgola" || return 1
    # shellcheck disable=SC2086
    xdotool mousemove $invio click 1 sleep 0.7 click 1 sleep 0.2 mousemove $five click 1 &&
        box_holds "spesa di $quantity" 5 "5 after a wrong $digit," &&
        counts_heard 1 1 "invio twice on a wrong $digit," || return 1
    shot table-taps
    back_to_menu && leave_program
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
    open_first_exercise && sleep 0.6 && total=$(right_total) || return 1
    tap "$total" && box_holds "costo totale" "$total" "tapping $total" || return 1
    shot "$2"
    tap invio && counts_heard 1 0 "$total tapped, then invio" || return 1
    if [[ -n $3 ]]; then
        tap "$3" invio && counts_heard 1 1 "$3 tapped, then invio" || return 1
        tap cancella && box_holds "costo totale" "${3%?}" "cancella after a wrong $3" || return 1
    fi
    back_to_menu && leave_program
}

start_xserver_or_exit 5
a11y_bus_or_exit touch "touch: 0 passed, 5 failed"
program_env=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)

run_case "euro: Form1 right with virgola, wrong cents" answer_by_taps "$work/window-euro.log" \
    "$WithPad" window-euro 0,17 --tastierino --euro
run_case "full screen: the pad by itself, Form1 right" answer_by_taps "$work/full-screen.log" \
    1920x1080 full-screen "" --schermo-intero
run_case "double taps act once; a gain with meno is wrong" double_taps "$work/double-taps.log"
run_case "the letter pad with a mouse; a double tap on the menu's No" letter_pad \
    "$work/letters.log"
run_case "taps on a table: none dropped, none doubled" table_taps "$work/table-taps.log"

echo "touch: $passed passed, $failed failed"
((failed == 0))
