#!/usr/bin/env bash
# Walks the program with the keyboard while Orca listens; Orca writes what it
# would say to its debug file, whole when it ends. Exit 77: no X server, no Orca.
# Under the Italian locale, as a school's machine runs, so that Orca's own words
# (the roles of the controls) are Italian too.
set -u
export LANG=it_IT.UTF-8 LC_ALL=it_IT.UTF-8
unset LANGUAGE
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/lib.sh
source "$here/lib.sh"
own_session_bus "$@"
walk_folders orca "${1:-}"
suite=e2e-orca
command -v orca >/dev/null || { echo "$suite: SKIPPED: no orca (package orca)"; exit 77; }
orca_pid=
trap 'stop_program; end_started "$orca_pid"; end_walk' EXIT
# One article: every number of a problem is known but the drawn ones.
folder=$work/programma
mkdir "$folder" && cp -r "$program_dir"/{mercanzola,suoni,immagini,plugins} "$folder/" || exit 1
echo '"gomma bianca",1000,1500' >"$folder/lista.txt"
euro_folder=$work/euro
cp -r "$folder" "$euro_folder" && printf 'valuta: euro\n"gomma bianca",1.00,1.50\n' >"$euro_folder/lista.txt"
start_xserver_or_exit 2
# The accessibility bus behind a stand-in that answers late while $work/hold is there.
a11y_bus_start=(start_a11y_bus_behind_stand_in "$work/hold")
a11y_bus_or_exit "$suite"
# No sound device: a speech server that cannot start, so Orca does not wait for it.
# Orca's debug file is written a line at a time, so that the walk can wait
# until Orca has had its say (Orca itself buffers it until it ends). Orca is
# run by the Python that it was installed for.
start_orca() {
    HOME=$work XDG_CONFIG_HOME=$work/config SPEECHD_CMD=/bin/false \
        /usr/bin/python3 - "$work/orca.log" >"$work/orca.out" 2>&1 <<'EOF' &
import builtins, runpy, sys
log, real_open = sys.argv[1], builtins.open
def line_buffered(file, mode="r", buffering=-1, *rest, **named):
    if file == log and "w" in mode:
        buffering = 1
    return real_open(file, mode, buffering, *rest, **named)
builtins.open = line_buffered
sys.argv = ["orca", "--debug-file", log, "-e", "speech"]
runpy.run_path("/usr/bin/orca", run_name="__main__")
EOF
    orca_pid=$!
}
# Orca refuses to start beside another Orca of the same user (another
# checkout's walk on a shared machine): the walk waits for that one to end.
no_other_orca() { ! pgrep -u "$(id -u)" -x orca >/dev/null; }
for attempt in 1 2 3; do
    poll_for 240 no_other_orca ||
        { echo "$suite: another Orca has run for $(scaled 240) s"; exit 1; }
    start_orca
    poll_for 30 atspi_read --app orca dump >/dev/null 2>&1 && break
    end_started "$orca_pid"
    orca_pid=
    ((attempt < 3)) && ! no_other_orca && continue
    echo "$suite: Orca did not start in $(scaled 30) s: $(cat "$work/orca.out")"
    exit 1
done
# Orca is on the bus before it listens: a window shown before then goes unheard.
poll_for 30 grep -q 'ORCA: Starting registry' "$work/orca.log" ||
    { echo "$suite: Orca does not listen: $(tail -n 5 "$work/orca.log")"; exit 1; }
program_env=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
keys() { xdotool key --delay 60 "$@"; }
# Orca speaks in its own time: waits until its debug file has been still for
# half a second (a slow machine, or a sanitizer build, only makes this longer).
now_ms() { local t=${EPOCHREALTIME/[.,]/}; echo $((t / 1000)); }
log_still() {
    local size
    size=$(stat -c %s "$work/orca.log" 2>/dev/null || echo 0)
    [[ $size != "${last_size:-}" ]] && last_size=$size && still_since=$(now_ms) && return 1
    (($(now_ms) - still_since >= 500))
}
settle() { last_size= && sleep 0.2 && poll_for 15 log_still; }
# The number in the name of the last control whose name starts with $1.
number_in() { atspi_read find --wait 3 "$1" | tail -n 1 | cut -f 2 | tr -cd '0-9'; }
answer() { # box name, text
    xdotool type --delay 40 "$2"
    box_holds "$1" "$2" "typing $2" && keys Return && settle
}
open_exercise() { # tabs from "Esci", window name
    back_to_menu && settle || return 1
    for _ in $(seq "$1"); do keys Tab; done
    keys Return
    expect "$Exercise" "$Exercise" "$2" && sleep 1 # as a pupil listens first
}
open_form1() { # program folder, log
    start_program "$1" "$2"
    expect "$Start" "$Start" "start screen" 15 && settle && keys Return || return 1
    expect "$Menu" "$Menu" "menu" && settle && keys Tab Return || return 1
    expect "$Exercise" "$Exercise" "trova il costo totale" && sleep 1
}
walk() {
    open_form1 "$folder" "$work/program.log" || return 1
    quantity=$(number_in "quantità: ")
    answer "costo totale" 1 && keys BackSpace && answer "costo totale" $((1500 * quantity)) ||
        return 1
    open_exercise 9 "tabelle 1" || return 1
    table_quantity=$(number_in "quantità: ")
    answer "guadagno di 1" 500 && answer "spesa di $table_quantity" 1 || return 1
    open_exercise 11 "tabelle 3" || return 1
    gain_quantity=$(number_in "quantità: ")
    ((gain_quantity > 0)) || fail "tabelle 3 drew a quantity of ${gain_quantity:-none}" || return 1
    answer "guadagno di 1" 500 || return 1
    open_exercise 12 "guadagno - perdita" || return 1
    spesa=$(number_in "spesa: ")
    choice=guadagno
    ((spesa == 1500)) && { choice=perdita; keys Tab; }
    keys Return && settle && answer $choice 500 || return 1
    open_exercise 13 "usa il denaro" || return 1
    cost=$(number_in "Avevo pagato")
    mapfile -t pieces < <(atspi_read dump | grep -E "push button \| '(banconota|moneta) da" |
        sed -E "s/^[^']*'[a-z]+ da ([0-9.]+) lire'.*/\1/; s/\.//g")
    revenue=0 paid=0
    for piece in "${pieces[@]}"; do revenue=$((revenue + piece)); done
    answer ricavo "$revenue" && pay_the_cost || return 1
    # One piece more, the last one left (back from the gain's box), is too much;
    # "Ricomincia" puts it all back, and the pupil starts again.
    keys shift+Tab Return && settle && keys Tab Return && settle || return 1
    answer ricavo "$revenue" && pay_the_cost || return 1
    answer guadagno $((revenue - cost)) && sleep 1 || return 1 # the next problem heard
    back_to_menu && settle && leave_program
}
pay_the_cost() {
    paid=0
    for piece in "${pieces[@]}"; do # the pieces of the cost, largest first
        ((paid == cost)) && break
        if ((paid + piece <= cost)); then paid=$((paid + piece)) && keys Return; else keys Tab; fi
        settle
    done
}
# Orca's speech from the line $1 of its debug file on.
speech_since() { tail -n +"$1" "$work/orca.log" | grep -a "SPEECH OUTPUT: "; }
# The accessibility bus answers late, as on a busy desktop: the start screen is
# on show with its focus before the bridge to Orca is up. Once it is, Orca hears
# the screen and its button all the same, and then the keys. Orca's IsEnabled
# alone turns the bridge on, as at school.
late_bridge() {
    local from wanted
    from=$(($(wc -l <"$work/orca.log") + 1))
    touch "$work/hold"
    program_env=()
    start_program "$folder" "$work/late.log"
    expect "$Start" "$Start" "start screen" 15 && sleep 1 || return 1
    rm -f "$work/hold" && settle && keys Return && expect "$Menu" "$Menu" "menu" && settle ||
        return 1
    for wanted in "la mercanzola cornice" "Avvio pulsante" "menù cornice"; do
        speech_since "$from" | grep -qF "$wanted" || fail "Orca did not say \"$wanted\":" \
            "$(speech_since "$from")" || return 1
    done
    leave_program
}
run_case "the accessibility bus late: the start screen heard once it answers" late_bridge \
    "$work/late.log"
program_env=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
run_case "start, menu, Form1, Form9, Form11, Form12, Form13 with the keyboard" walk \
    "$work/program.log"
# In euro the same sentences name euro, and a comma answer is heard as right.
walk_euro() {
    open_form1 "$euro_folder" "$work/euro.log" || return 1
    euro_quantity=$(number_in "quantità: ")
    local cents=$((150 * euro_quantity))
    answer "costo totale" "$((cents / 100)),$(printf %02d $((cents % 100)))" || return 1
    back_to_menu && settle && leave_program
}
run_case "Form1 in euro" walk_euro "$work/euro.log"
settle
kill -TERM "$orca_pid" && wait "$orca_pid" 2>/dev/null
orca_pid=
grep -a "SPEECH OUTPUT: " "$work/orca.log" | sort -s -k1,1 |
    sed -E "s/^.*SPEECH OUTPUT: '//; s/' ?\{'established.*$//" >"$work/speech.txt"
[[ -n ${MERCANZOLA_ORCA_SPEECH:-} ]] && cp "$work/speech.txt" "$MERCANZOLA_ORCA_SPEECH"
grouped() { sed -E ':a; s/([0-9])([0-9]{3})($|\.)/\1.\2\3/; ta' <<<"${1:-}"; } # 12.000
heard() { # each sentence after the one before
    local line=0 wanted found
    for wanted in "la mercanzola" "menù" "trova il costo totale" \
        "gomma bianca, costo unitario 1.500 lire, quantità ${quantity:-}: qual è il costo totale?" \
        "sbagliato. esatti 0, errati 1." "esatto. esatti 1, errati 1. gomma bianca, costo unitario" \
        "menù" "tabelle 1" "gomma bianca; quantità ${table_quantity:-}; spesa di 1: 1.000 lire;" \
        "ricavo di 1: 1.500 lire. guadagno di 1?" \
        "esatto. esatti 1, errati 0. spesa di ${table_quantity:-}?" "sbagliato. esatti 1, errati 1." \
        "menù" "tabelle 3" "gomma bianca; quantità ${gain_quantity:-}; spesa di ${gain_quantity:-}: $(
            grouped $((1000 * ${gain_quantity:-0}))) lire; ricavo di ${gain_quantity:-}: $(
            grouped $((1500 * ${gain_quantity:-0}))) lire. guadagno di 1?" "esatto. esatti 1, errati 0." \
        "menù" "guadagno - perdita" "gomma bianca, spesa $(grouped "${spesa:-}") lire" "guadagno o perdita?" \
        "${choice:-}: ora scrivi quanto." "esatto. esatti 1, errati 0. gomma bianca, spesa" \
        "menù" "usa il denaro" "avevo pagato la merce $(grouped "${cost:-}") lire. quanto ho" \
        "esatto. Clicca sul denaro che avevi utilizzato per pagare." \
        "quanto ho guadagnato?" "pagato $(grouped "${cost:-}") lire di $(grouped "${cost:-}") lire" \
        "lire di $(grouped "${cost:-}") lire: è più del costo. premi Ricomincia e paga di nuovo." \
        "il denaro è di nuovo tutto sul tavolo: " "avevo pagato la merce $(grouped "${cost:-}") lire." \
        "Clicca sul denaro" "quanto ho guadagnato?" "sul tavolo:" "esatto. esatti 1, errati 0." "menù" \
        "gomma bianca, costo unitario 1,50 euro, quantità ${euro_quantity:-}: qual è il costo totale?" \
        "esatto. esatti 1, errati 0."; do
        found=$(tail -n +$((line + 1)) "$work/speech.txt" | grep -nF -m 1 -- "$wanted" | cut -d: -f1)
        [[ -n $found ]] && line=$((line + found - 1)) && continue
        fail "not heard after line $line: $wanted"
        sed 's/^/    /' "$work/speech.txt"
        return 1
    done
}
run_case "each window's name, each problem, each outcome and count heard" heard ""
# The box a right answer moves to is heard with the outcome first, then its
# own step's question, never an older step's (Orca speaks the description
# after the name and role).
table_step_heard() {
    local described
    described=$(sed -n '/tabelle 1/,$p' "$work/speech.txt" |
        grep -F -A 1 -m 1 "spesa di ${table_quantity:-} testo" | tail -n 1)
    [[ $described == "esatto. esatti 1, errati 0. "*"spesa di ${table_quantity:-}?"* &&
        $described != *"guadagno di 1?"* ]] ||
        fail "the box \"spesa di ${table_quantity:-}\" was heard with \"$described\", not the" \
            "outcome and then its own question"
}
run_case "tabelle 1's second step: the outcome, then its own question" table_step_heard ""
# Orca's own words in Italian: the role of a control it names.
italian_roles() {
    grep -qwE "pulsante|testo" "$work/speech.txt" ||
        fail "no Italian role word heard (is it_IT.UTF-8 generated? scripts/setup.sh does it)"
}
run_case "Orca's role words in Italian" italian_roles ""
echo "$suite: $passed passed, $failed failed"
((failed == 0))
