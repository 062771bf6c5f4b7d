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
walk_folders record "${1:-}"
chmod 755 "$work"
pg_bin=/usr/lib/postgresql/15/bin
pg_user=nobody
second_pid='' second_x=''

as_pg_user() { # program in pg_bin, arguments...
    runuser -u "$pg_user" -- "$pg_bin/$1" "${@:2}"
}
server_up() {
    as_pg_user pg_ctl -D "$work/pg" -w -l "$work/pg/server.log" \
        -o "-k $work/socket -c listen_addresses=''" start >/dev/null
}
stop_server() {
    [[ ! -f $work/pg/postmaster.pid ]] || as_pg_user pg_ctl -D "$work/pg" -m immediate stop &>/dev/null
}
stop_second_pc() { end_started "$second_pid"; end_started "$second_x"; second_pid='' second_x=''; }
trap 'stop_program; stop_second_pc; stop_server; end_walk' EXIT

# A program folder of the test's own, with a class list beside lista-euro.txt.
folder=$work/programma
mkdir -p "$folder" && cp "$program_dir/mercanzola" "$folder/"
for item in lista-euro.txt suoni immagini plugins; do ln -s "$program_dir/$item" "$folder/$item"; done
printf 'Anna Rossi\nBruno Bianchi\n' >"$folder/classe.txt"

# Waits for the window $1 alone, with the keyboard ($2: what it is); sends it xdotool's ${@:3}.
on() { expect "$1" "$1" "$2" 15 && xdotool "${@:3}"; }

# A lesson in euro recorded at $1: from the start screen, as the second pupil of
# the list, to Form1, and one wrong answer heard as counted.
bruno_starts() { # destination, output file
    program_args=(--euro --registro "$1")
    start_program "$folder" "$2"
    on "$Start" "start screen" key Return || return 1
    atspi_read find --role "push button" --exact --wait 3 "Bruno Bianchi" >/dev/null ||
        fail "no button named Bruno Bianchi after Avvio" || return 1
    on "$Start" "the names" key Tab Return && on "$Menu" "menu after a name" key Tab Return &&
        on "$Exercise" "Form1" type --delay 30 $'99999999\r' && counts_heard 0 1 "a wrong answer"
}

# Form1's total in euro from what is heard, typed over the wrong one; the
# counts are then heard as $1 right and 1 wrong.
right_answer() { # right answers so far
    local price quantity cents
    price=$(heard_after "costo unitario: ") && quantity=$(heard_after "quantità: ") ||
        fail "Form1's unit cost and quantity are not heard" || return 1
    cents=$((10#${price//[.,]/} * quantity))
    xdotool key ctrl+a BackSpace
    xdotool type --delay 30 "$(printf '%d,%02d' $((cents / 100)) $((cents % 100)))"$'\r'
    counts_heard "$1" 1 "right answer $1"
}

summary_says() { # destination, pattern of a pupil's line
    local said
    said=$("$folder/mercanzola" --registro "$1" --riepilogo 2>&1)
    [[ $said =~ $2 ]] || fail "--riepilogo said: $said"
}

sqlite_killed() {
    bruno_starts "$work/registro.sqlite" "$work/sqlite.log" && right_answer 1 || return 1
    kill -KILL "$program_pid"
    wait_exit 5
    summary_says "$work/registro.sqlite" \
        "Bruno Bianchi +trova il costo totale +2 +1 +1 +50,0 +$(date +%d/%m/%Y)" || return 1
    "$folder/mercanzola" --registro "$work/registro.sqlite" --csv "$work/r.csv"
    grep -q $'^\xEF\xBB\xBFalunno;esercizio;' "$work/r.csv" || fail "no CSV with a byte-order mark"
}

# A second PC of the lab: another instance on an X server of its own, driven
# blind (a screen reader would hear both) with pauses.
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

# Anna, the first name, answers Form1 wrong three times. Each step is typed
# into the second PC's window ("\t" a Tab, "\r" an Enter), then a pause.
second_pc_answers() {
    local keys window
    sleep 3
    for keys in $'\r' $'\r' $'\t\r' $'99999999\r' $'99999999\r' $'99999999\r'; do
        window=$(DISPLAY=$second_display xdotool search --onlyvisible --pid "$second_pid" | tail -n 1)
        [[ -n $window ]] && DISPLAY=$second_display xdotool windowfocus --sync "$window" \
            type --delay 30 "$keys" && sleep 1.5 || return 1
    done
}

postgres_restarted() {
    if ! { mkdir -p "$work/pg" "$work/socket" && chown "$pg_user" "$work/pg" "$work/socket" &&
        as_pg_user initdb -A trust -U "$pg_user" -D "$work/pg" >"$work/initdb.log" 2>&1 &&
        server_up; }; then
        echo "  SKIPPED: PostgreSQL cannot start here: $(tail -n 3 "$work/initdb.log" "$work/pg/server.log" 2>/dev/null)"
        return 77
    fi
    local uri="postgresql:///postgres?host=$work/socket&user=$pg_user" second ids
    program_env+=(XDG_DATA_HOME="$work/dati")
    second_pc_up "$uri" || return 1
    second_pc_answers &
    second=$!
    # The server stops after the first right answer and starts after the second.
    bruno_starts "$uri" "$work/pg-lesson.log" && right_answer 1 && stop_server && right_answer 2 &&
        server_up && right_answer 3 && right_answer 4 || return 1
    wait "$second" || fail "the second PC could not answer: $(cat "$work/second.log")" || return 1
    # The queues empty within the retry interval once the server is back.
    sleep 7
    back_to_menu && leave_program || return 1
    stop_second_pc
    summary_says "$uri" "Anna Rossi +trova il costo totale +3 +0 +3 +0,0 .*
Bruno Bianchi +trova il costo totale +5 +4 +1 +80,0 " || return 1
    ids=$(psql -h "$work/socket" -U "$pg_user" -d postgres -Atc \
        "SELECT count(*) || ' ' || count(DISTINCT id) FROM risposte")
    [[ $ids == "8 8" ]] || fail "answers on the server (all, distinct): $ids"
}

start_xserver_or_exit 2
if [[ -z ${MERCANZOLA_E2E_BUS:-} ]] || ! start_a11y_bus >"$work/bus.txt"; then
    echo "e2e: no accessibility bus: $(cat "$work/bus.txt" 2>/dev/null)"
    exit 1
fi
program_env=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)

suite=record
run_case "SQLite: a name from classe.txt, Form1 wrong and right, kill -9" sqlite_killed \
    "$work/sqlite.log"
run_case "PostgreSQL: two PCs at once, the server stopped mid-lesson and started again" \
    postgres_restarted "$work/pg-lesson.log"
echo "record: $passed passed, $failed failed, $skipped skipped"
((failed == 0))
