#!/usr/bin/env bash
# The teacher's record with the real program: a pupil picks a name from
# classe.txt, answers Form1 wrong and right, and the program is killed at once
# (SIGKILL); --riepilogo then shows both answers. With a PostgreSQL server of
# the test's own set up as the README says (the pupils' role may only INSERT,
# over TCP with a scram password): a second PC of the lab answers at the same
# time, the server stops mid-lesson and starts again, and every answer of both
# is there exactly once, with no warning from Qt on the way. A deletion asks on
# a terminal (a pty) and wants --sì without one.
# Usage: record.sh PROGRAM_FOLDER. Exit 0 when all pass, 1 when one fails, 77
# when no X server can be had.

set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/lib.sh
source "$here/lib.sh"
own_session_bus "$@"
walk_folders record "${1:-}"
chmod 755 "$work"
# shellcheck source=SCRIPTDIR/record_lib.sh
source "$here/record_lib.sh"
second_pid='' second_x=''

stop_second_pc() { end_started "$second_pid"; end_started "$second_x"; second_pid='' second_x=''; }
trap 'stop_program; stop_second_pc; stop_server; end_walk' EXIT

sqlite_killed() {
    program_env+=(XDG_DATA_HOME="$work/dati-sqlite")
    bruno_starts "$work/registro.sqlite" "$work/sqlite.log" && right_answer 1 || return 1
    kill -KILL "$program_pid"
    wait_exit 5
    # What the record had not taken yet waits in the queue for the next start.
    program_args=(--euro --registro "$work/registro.sqlite")
    start_program "$folder" "$work/sqlite-again.log"
    local line
    line="Bruno Bianchi +trova il costo totale +2 +1 +1 +50,0 +$(date +%d/%m/%Y)"
    poll_for 10 summary_matches "$work/registro.sqlite" "$line" ||
        summary_says "$work/registro.sqlite" "$line" || return 1
    stop_program
    "$folder/mercanzola" --registro "$work/registro.sqlite" --csv "$work/r.csv"
    grep -q $'^\xEF\xBB\xBF"alunno";"esercizio";' "$work/r.csv" || fail "no CSV with a byte-order mark"
}

# The program on a terminal of its own (a pty), $1 typed as the reply.
on_terminal() { # reply, program arguments...
    local command
    printf -v command '%q ' "$folder/mercanzola" --registro "$work/registro.sqlite" "${@:2}"
    printf '%s\n' "$1" | script -qec "$command" /dev/null 2>&1
}

# A deletion on a terminal says how many answers of how many pupils go and
# asks; "no" keeps them, "sì" deletes them; without a terminal it wants --sì.
# Any spelling of the name is the pupil's.
deletion_asked() {
    local out kept="Bruno Bianchi +trova il costo totale +2 "
    if out=$(on_terminal no --cancella-alunno "BRUNO  bianchi"); then
        fail "a deletion answered no ended well: $out"
        return 1
    fi
    [[ $out == *"Si cancellano 2 risposte di 1 alunno, di BRUNO bianchi. Confermi?"* &&
        $out == *"Nulla è stato cancellato."* ]] || fail "on a terminal: $out" || return 1
    summary_says "$work/registro.sqlite" "$kept" || return 1
    if out=$("$folder/mercanzola" --registro "$work/registro.sqlite" \
        --cancella-alunno "bruno bianchi" 2>&1 </dev/null); then
        fail "deleted with no terminal and no --sì: $out"
        return 1
    fi
    [[ $out == *"aggiungi --sì"* ]] || fail "with no terminal: $out" || return 1
    summary_says "$work/registro.sqlite" "$kept" || return 1
    out=$(on_terminal sì --cancella-alunno " bruno BIANCHI") ||
        fail "a deletion answered sì: $out" || return 1
    [[ $out == *"Cancellate 2 risposte di bruno BIANCHI."* ]] || fail "after sì: $out" || return 1
    ! summary_matches "$work/registro.sqlite" Bruno || fail "Bruno's answers stay" || return 1
}

# A second PC of the lab: another instance on an X server of its own, driven
# blind with pauses, off the accessibility bus: the screen reader hears the
# first PC alone, as in a real lab.
second_pc_up() { # destination
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display2" \
        >"$work/xvfb2.log" 2>&1 &
    second_x=$!
    poll_for 10 test -s "$work/display2" || fail "no second X server" || return 1
    second_display=:$(<"$work/display2")
    (cd "$folder" && exec env -u DBUS_SESSION_BUS_ADDRESS DISPLAY="$second_display" QT_QPA_PLATFORM=xcb \
        HOME="$work/casa" XDG_DATA_HOME="$work/dati-2" ./mercanzola --euro --registro "$1" >"$work/second.log" 2>&1) &
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
    lab_server_up || return
    local second
    program_env+=(XDG_DATA_HOME="$work/dati")
    second_pc_up "$lab_uri" || return 1
    second_pc_answers &
    second=$!
    # The server stops after the first right answer and starts after the second.
    bruno_starts "$lab_uri" "$work/pg-lesson.log" && right_answer 1 && stop_server &&
        right_answer 2 && server_up && right_answer 3 && right_answer 4 || return 1
    wait "$second" || fail "the second PC could not answer: $(cat "$work/second.log")" || return 1
    # Both queues empty within the longest wait between tries once the server is back.
    poll_for 30 rows_are "8 8" || fail "answers on the server (all, distinct): $(server_rows)" ||
        return 1
    back_to_menu && leave_program || return 1
    stop_second_pc
    summary_says "postgresql://insegnante@127.0.0.1:$pg_port/mercanzola" \
        "Anna Rossi +trova il costo totale +3 +0 +3 +0,0 .*
Bruno Bianchi +trova il costo totale +5 +4 +1 +80,0 " || return 1
    rows_are "8 8" || fail "answers on the server (all, distinct): $(server_rows)" || return 1
    said_quietly "$work/pg-lesson.log" && said_quietly "$work/second.log"
}

start_xserver_or_exit 3
a11y_bus_or_exit record
program_env=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)

suite=record
run_case "SQLite: a name from classe.txt, Form1 wrong and right, kill -9" sqlite_killed \
    "$work/sqlite.log"
run_case "a deletion asks on a terminal, wants --sì without one" deletion_asked "$work/sqlite.log"
run_case "PostgreSQL: two PCs at once, the server stopped mid-lesson and started again" \
    postgres_restarted "$work/pg-lesson.log"
echo "record: $passed passed, $failed failed, $skipped skipped"
((failed == 0))
