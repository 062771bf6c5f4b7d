#!/usr/bin/env bash
# The teacher's record with the real program: a pupil picks a name from
# classe.txt, answers Form1 wrong and right, and the program is killed at once
# (SIGKILL); --riepilogo then shows both answers. With a PostgreSQL server of
# the test's own, on a Unix socket in a temporary folder: a second PC of the lab
# answers at the same time, the server stops mid-lesson and starts again, and
# every answer of both is there exactly once.
# Usage: record.sh PROGRAM_FOLDER. Exit 0 when all pass, 1 when one fails, 77
# when no X server can be had.

set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/lib.sh
source "$here/lib.sh"
own_session_bus "$@"
program_dir=$(cd "${1:?usage: record.sh PROGRAM_FOLDER}" && pwd) || exit 1
work=$(mktemp -d "${TMPDIR:-/tmp}/mercanzola-record.XXXXXX") || exit 1
chmod 755 "$work"
pg_bin=/usr/lib/postgresql/15/bin
pg_user=nobody

stop_server() {
    [[ -f $work/pg/postmaster.pid ]] &&
        runuser -u "$pg_user" -- "$pg_bin/pg_ctl" -D "$work/pg" -m immediate stop >/dev/null 2>&1
}

cleanup() {
    stop_program
    stop_second_pc
    stop_server
    stop_a11y_bus
    stop_xserver
    rm -rf "$work"
}
trap cleanup EXIT

# A program folder of the test's own, with a class list beside lista-euro.txt.
folder=$work/programma
mkdir -p "$folder"
cp "$program_dir/mercanzola" "$folder/"
for item in lista-euro.txt suoni immagini plugins; do ln -s "$program_dir/$item" "$folder/$item"; done
printf 'Anna Rossi\nBruno Bianchi\n' >"$folder/classe.txt"

# From the start screen, as the second pupil of the list, to Form1; then one
# wrong answer and $1 right ones, each heard as counted.
answer_as_bruno() { # right answers
    expect "$Start" "$Start" "start screen" 15 || return 1
    xdotool key Return
    expect "$Start" "$Start" "the names after Avvio" || return 1
    atspi_read find --role "push button" --exact --wait 3 "Bruno Bianchi" >/dev/null ||
        fail "no button named Bruno Bianchi" || return 1
    xdotool key Tab Return
    expect "$Menu" "$Menu" "menu after a name" || return 1
    xdotool key Tab Return
    expect "$Exercise" "$Exercise" "Form1" || return 1
    xdotool type --delay 30 99999999
    xdotool key Return
    counts_heard 0 1 "a wrong answer" || return 1
    local n price quantity cents
    for ((n = 1; n <= $1; n++)); do
        [[ -z ${between:-} ]] || $between "$n" || return 1
        price=$(heard_after "costo unitario: ") && quantity=$(heard_after "quantità: ") ||
            fail "Form1's unit cost and quantity are not heard" || return 1
        cents=$((10#${price//[.,]/} * quantity))
        xdotool key ctrl+a BackSpace
        xdotool type --delay 30 "$(printf '%d,%02d' $((cents / 100)) $((cents % 100)))"
        xdotool key Return
        counts_heard "$n" 1 "right answer $n" || return 1
    done
}

summary_says() { # destination, pattern of Bruno's line
    local said
    said=$("$folder/mercanzola" --registro "$1" --riepilogo 2>&1)
    [[ $said =~ $2 ]] || fail "--riepilogo said: $said"
}

sqlite_killed() {
    program_args=(--euro --registro "$work/registro.sqlite")
    start_program "$folder" "$work/sqlite.log"
    answer_as_bruno 1 || return 1
    kill -KILL "$program_pid"
    wait_exit 5
    summary_says "$work/registro.sqlite" \
        "Bruno Bianchi +trova il costo totale +2 +1 +1 +50,0 +$(date +%d/%m/%Y)" || return 1
    "$folder/mercanzola" --registro "$work/registro.sqlite" --csv "$work/r.csv" &&
        grep -q $'^\xEF\xBB\xBFalunno;esercizio;' "$work/r.csv" ||
        fail "no CSV with a byte-order mark" || return 1
}

server_up() {
    runuser -u "$pg_user" -- "$pg_bin/pg_ctl" -D "$work/pg" -w -l "$work/pg/server.log" \
        -o "-k $work/socket -c listen_addresses=''" start >/dev/null
}

# Stops the server after the first right answer, starts it after the second.
restart_midway() {
    case $1 in
    2) stop_server ;;
    3) server_up ;;
    esac
}

# A second PC of the lab: another instance on an X server of its own, driven
# without a screen reader, with pauses: Anna answers Form1 wrong three times.
second_pc_up() { # destination
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display2" \
        >"$work/xvfb2.log" 2>&1 &
    second_x=$!
    poll_for 10 test -s "$work/display2" || fail "no second X server" || return 1
    second_display=:$(<"$work/display2")
    (cd "$folder" && exec env DISPLAY="$second_display" QT_QPA_PLATFORM=xcb \
        XDG_DATA_HOME="$work/dati-2" ./mercanzola --euro --registro "$1" >"$work/second.log" 2>&1) &
    second_pid=$!
}

second_pc_keys() { # keys...
    local window
    window=$(DISPLAY=$second_display xdotool search --onlyvisible --pid "$second_pid" | tail -n 1)
    [[ -n $window ]] && DISPLAY=$second_display xdotool windowfocus --sync "$window" &&
        DISPLAY=$second_display xdotool "$@"
}

second_pc_answers() {
    sleep 3
    second_pc_keys key Return && sleep 1.5 && # Avvio
        second_pc_keys key Return && sleep 1.5 && # Anna Rossi
        second_pc_keys key Tab Return && sleep 1.5 || return 1 # Form1
    local n
    for n in 1 2 3; do
        second_pc_keys type --delay 30 99999999 && second_pc_keys key Return && sleep 0.7 || return 1
    done
}

stop_second_pc() {
    [[ -n ${second_pid:-} ]] && kill "$second_pid" 2>/dev/null && wait "$second_pid" 2>/dev/null
    [[ -n ${second_x:-} ]] && kill "$second_x" 2>/dev/null && wait "$second_x" 2>/dev/null
    second_pid= second_x=
}

postgres_restarted() {
    mkdir -p "$work/pg" "$work/socket" && chown "$pg_user" "$work/pg" "$work/socket" &&
        runuser -u "$pg_user" -- "$pg_bin/initdb" -A trust -U "$pg_user" -D "$work/pg" \
            >"$work/initdb.log" 2>&1 && server_up || {
        echo "  SKIPPED: PostgreSQL cannot start here: $(tail -n 3 "$work/initdb.log" "$work/pg/server.log" 2>/dev/null)"
        return 77
    }
    local uri="postgresql:///postgres?host=$work/socket&user=$pg_user"
    program_env=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_DATA_HOME="$work/dati")
    program_args=(--euro --registro "$uri")
    start_program "$folder" "$work/pg-lesson.log"
    second_pc_up "$uri" || return 1
    second_pc_answers &
    local second=$!
    between=restart_midway answer_as_bruno 4 || return 1
    wait "$second" || fail "the second PC could not answer: $(cat "$work/second.log")" || return 1
    # The queues empty within the retry interval once the server is back.
    sleep 7
    back_to_menu && leave_program || return 1
    stop_second_pc
    summary_says "$uri" "Bruno Bianchi +trova il costo totale +5 +4 +1 +80,0 " || return 1
    summary_says "$uri" "Anna Rossi +trova il costo totale +3 +0 +3 +0,0 " || return 1
    local ids
    ids=$(psql -h "$work/socket" -U "$pg_user" -d postgres -Atc \
        "SELECT count(*) || ' ' || count(DISTINCT id) FROM risposte")
    [[ $ids == "8 8" ]] || fail "answers on the server (all, distinct): $ids"
}

start_xserver_or_exit 2
[[ -n ${MERCANZOLA_E2E_BUS:-} ]] && start_a11y_bus >"$work/bus.txt" ||
    { echo "e2e: no accessibility bus: $(cat "$work/bus.txt" 2>/dev/null)"; exit 1; }
program_env=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)

suite=record
run_case "SQLite: a name from classe.txt, Form1 wrong and right, kill -9" sqlite_killed \
    "$work/sqlite.log"
run_case "PostgreSQL: two PCs at once, the server stopped mid-lesson and started again" \
    postgres_restarted \
    "$work/pg-lesson.log"
echo "record: $passed passed, $failed failed, $skipped skipped"
((failed == 0))
