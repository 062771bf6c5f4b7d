# shellcheck shell=bash
# shellcheck disable=SC2154,SC2034 # lib.sh and walk_folders set what is read here, and read what is set
# Shared by the record's walks (source it after lib.sh and walk_folders): a
# program folder with a class list, a pupil's steps, and a PostgreSQL server
# set up as the README's lab section says: the README's SQL run verbatim by
# the database's owner (a role with CREATEROLE), the pupils' role `alunni`
# reaching it over TCP on 127.0.0.1 with a scram password from ~/.pgpass.

pg_bin=/usr/lib/postgresql/15/bin
pg_user=nobody
pg_port=''
owner_password=registro-del-maestro
pupil_password=scegliete-una-password # the README's

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
    atspi_read find --role "push button" --exact --wait 5 "Bruno Bianchi" >/dev/null ||
        fail "no button named Bruno Bianchi after Avvio" || return 1
    on "$Start" "the names" key Tab Return && on "$Menu" "menu after a name" key Tab Return &&
        on "$Exercise" "Form1" type --delay 30 $'99999999\r' && counts_heard 0 1 "a wrong answer"
}

# Form1's total in euro from what is heard, typed over the wrong one; the
# counts are then heard as $1 right and 1 wrong.
right_answer() { # right answers so far
    local price quantity cents
    # After a right answer the next problem clears the box; until the screen
    # reader hears it cleared, it may still hear the last problem's labels.
    if (($1 > 1)); then
        box_holds "costo totale" "" "the next problem after a right answer" || return 1
    fi
    price=$(heard_after "costo unitario: ") && quantity=$(heard_after "quantità: ") ||
        fail "Form1's unit cost and quantity are not heard" || return 1
    cents=$((10#${price//[.,]/} * quantity))
    xdotool key ctrl+a BackSpace
    xdotool type --delay 30 "$(printf '%d,%02d' $((cents / 100)) $((cents % 100)))"$'\r'
    counts_heard "$1" 1 "right answer $1"
}

summary() { # destination
    PGPASSFILE=$work/pgpass-maestro "$folder/mercanzola" --registro "$1" --riepilogo 2>&1
}
summary_matches() { [[ $(summary "$1") =~ $2 ]]; } # destination, pattern
summary_says() { # destination, pattern of a pupil's line
    summary_matches "$@" || fail "--riepilogo said: $(summary "$1")"
}

# Qt's warnings, or a storm of the same line, in what the program said.
said_quietly() { # output file
    ! grep -E 'QSql|removeDatabase|QThread' "$1" | grep -q . ||
        fail "Qt warnings: $(grep -E 'QSql|removeDatabase|QThread' "$1" | head -n 3)" || return 1
    local most
    most=$(grep registro "$1" | sort | uniq -c | sort -rn | awk 'NR == 1 { print $1 }')
    ((${most:-0} <= 2)) || fail "the record said a line $most times: $(grep registro "$1" | sort | uniq -c | sort -rn | head -n 1)"
}

as_pg_user() { # program in pg_bin, arguments...
    runuser -u "$pg_user" -- "$pg_bin/$1" "${@:2}"
}
server_up() {
    as_pg_user pg_ctl -D "$work/pg" -w -l "$work/pg/server.log" \
        -o "-k $work/socket -c listen_addresses=127.0.0.1 -p $pg_port" start >/dev/null
}
stop_server() {
    [[ ! -f $work/pg/postmaster.pid ]] || as_pg_user pg_ctl -D "$work/pg" -m immediate stop &>/dev/null
}
free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
# As the owner, over TCP: what the teacher's own queries see.
as_owner() { # psql arguments...
    PGPASSFILE=$work/pgpass-maestro psql -X -q -h 127.0.0.1 -p "$pg_port" -U insegnante \
        -d mercanzola -v ON_ERROR_STOP=1 "$@"
}
server_rows() { # "all distinct", from the owner's view
    as_owner -Atc "SELECT count(*) || ' ' || count(DISTINCT id) FROM risposte"
}
rows_are() { [[ $(server_rows 2>/dev/null) == "$1" ]]; }

# The server of the lab; 77 with the reason when it cannot be had here.
lab_server_up() {
    pg_port=$(free_port)
    mkdir -p "$work/pg" "$work/socket" && chown "$pg_user" "$work/pg" "$work/socket"
    if ! as_pg_user initdb -U postgres --auth-local=trust --auth-host=scram-sha-256 \
        -D "$work/pg" >"$work/initdb.log" 2>&1 ||
        ! echo "password_encryption = 'scram-sha-256'" >>"$work/pg/postgresql.conf" ||
        ! server_up; then
        echo "  SKIPPED: PostgreSQL cannot start here: $(tail -n 3 "$work/initdb.log" "$work/pg/server.log" 2>/dev/null)"
        return 77
    fi
    grep -q '^host .*127.0.0.1/32 .*scram-sha-256' "$work/pg/pg_hba.conf" ||
        fail "pg_hba.conf has no scram line for 127.0.0.1" || return 1
    # The school's administrator makes the teacher's role and database...
    runuser -u "$pg_user" -- psql -X -q -h "$work/socket" -p "$pg_port" -U postgres -d postgres \
        -v ON_ERROR_STOP=1 -c "CREATE ROLE insegnante LOGIN CREATEROLE PASSWORD '$owner_password'" \
        -c "CREATE DATABASE mercanzola OWNER insegnante" >/dev/null || return 1
    printf '127.0.0.1:%s:mercanzola:insegnante:%s\n' "$pg_port" "$owner_password" \
        >"$work/pgpass-maestro"
    chmod 600 "$work/pgpass-maestro"
    # ...and the teacher runs the README's SQL as it stands.
    # shellcheck disable=SC2016 # the README's fences, as they stand
    sed -n '/^```sql$/,/^```$/{/^```/d;p}' "$here/../../README.md" >"$work/lab.sql"
    as_owner -f "$work/lab.sql" >/dev/null || fail "the README's SQL failed" || return 1
    # Each pupil account's ~/.pgpass.
    mkdir -p "$work/casa"
    printf '127.0.0.1:%s:mercanzola:alunni:%s\n' "$pg_port" "$pupil_password" >"$work/casa/.pgpass"
    chmod 600 "$work/casa/.pgpass"
    lab_uri="postgresql://alunni@127.0.0.1:$pg_port/mercanzola"
    program_env+=(HOME="$work/casa")
}
