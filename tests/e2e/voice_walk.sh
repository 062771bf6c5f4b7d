#!/usr/bin/env bash
# Reading aloud, heard by a speech server of the test's own: speech-dispatcher
# in a temporary folder, on a Unix socket there only, whose output module
# writes each text it is given to a file instead of sounding it.
#   1. --leggi: Form1 (a wrong and a right answer), a screen only repainted,
#      then the money board paid with the keyboard; the texts in order, with
#      amounts as a teacher reads them;
#   2. no speech server: one line on standard error, and the lesson goes on;
#   3. a screen reader running: the program does not speak on its own.
# Usage: voice_walk.sh PROGRAM_FOLDER. Exit 0 when all pass, 1 when one fails,
# 77 when no X server or no speech-dispatcher can be had.

set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/lib.sh
source "$here/lib.sh"
# The screen reader's status set here must not outlive the test in the user's
# settings, where the accessibility bus would keep it.
export GSETTINGS_BACKEND=memory
own_session_bus "$@"
program_dir=$(cd "${1:?usage: voice_walk.sh PROGRAM_FOLDER}" && pwd) || exit 1

work=$(mktemp -d "${TMPDIR:-/tmp}/mercanzola-voice.XXXXXX") || exit 1
speechd_pid=

cleanup() {
    stop_program
    end_started "$speechd_pid"
    stop_a11y_bus
    stop_xserver
    rm -rf "$work"
}
trap cleanup EXIT

# The server's configuration: no audio device that opens, one generic module
# made the default, that calls record.sh with each piece of text. Qt sees only
# the voices declared; an English one too, or its engine starts in an error
# state under a locale that is not Italian.
write_speechd_config() {
    mkdir -p "$work/speechd/modules" "$work/speechd-log"
    cat >"$work/record.sh" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >>"$work/heard.txt"
SCRIPT
    chmod +x "$work/record.sh"
    cat >"$work/speechd/speechd.conf" <<CONF
CommunicationMethod "unix_socket"
SocketPath "$work/speechd.sock"
AudioOutputMethod "alsa"
AudioALSADevice "null"
DefaultLanguage "it"
AddModule "record" "sd_generic" "record.conf"
DefaultModule "record"
CONF
    # The parser eats "\n" in a command: the script takes the text as it is.
    cat >"$work/speechd/modules/record.conf" <<CONF
GenericExecuteSynth "$work/record.sh \"\$DATA\""
GenericLanguage "it" "it" "utf-8"
GenericLanguage "en" "en" "utf-8"
AddVoice "it" "MALE1" "Italian"
AddVoice "en" "MALE1" "English"
CONF
    printf '#!/bin/sh\nexit 1\n' >"$work/no-spawn.sh"
    chmod +x "$work/no-spawn.sh"
}

start_speechd() {
    command -v speech-dispatcher >/dev/null || {
        echo "no speech-dispatcher (package speech-dispatcher)"
        return 1
    }
    write_speechd_config
    speech-dispatcher -s -t 0 -C "$work/speechd" -c unix_socket -S "$work/speechd.sock" \
        -L "$work/speechd-log" -P "$work/speechd.pid" >"$work/speechd.out" 2>&1 &
    speechd_pid=$!
    poll_for 10 test -S "$work/speechd.sock" || {
        echo "speech-dispatcher did not start:"
        sed 's/^/  /' "$work/speechd.out"
        return 1
    }
}

# The texts the voice was given, one a line: the module cuts a text after
# ". ", "? " and "! ", and each piece after the first begins with its space.
heard() {
    [[ -f $work/heard.txt ]] || return 0
    awk 'NR > 1 && /^ / { line = line $0; next } NR > 1 { print line } { line = $0 }
         END { if (NR) print line }' "$work/heard.txt"
}

heard_count() {
    heard | wc -l
}

# Waits for the voice's next text, and puts it in $said.
seen=0
said=
next_heard() { # what
    local wanted=$((seen + 1))
    poll_for 10 eval '(($(heard_count) >= wanted))' ||
        fail "$1: the voice was given nothing new after:" "$(heard)" || return 1
    # A text comes in pieces: let its last piece arrive.
    sleep 0.3
    seen=$wanted
    said=$(heard | sed -n "${wanted}p")
}

# Asserts the voice's next text.
expect_heard() { # text what
    next_heard "$2" || return 1
    [[ $said == "$1" ]] || fail "$2: the voice was given \"$said\", not \"$1\""
}

catalogue() {
    printf 'quaderno,1000,1500\r\n' >"$work/lista.txt"
}

voice_env() {
    program_env=(LANG=C.UTF-8 "SPEECHD_ADDRESS=unix_socket:$1" "SPEECHD_CMD=$work/no-spawn.sh")
    program_args=(--leggi --lista "$work/lista.txt")
}

form1_and_board_heard() {
    local problem quantity next pieces cost revenue=0 left piece list
    seen=0
    rm -f "$work/heard.txt"
    catalogue
    voice_env "$work/speechd.sock"
    start_program "$program_dir" "$work/leggi.log"
    open_first_exercise || return 1
    next_heard "Form1 opened" || return 1
    problem=$said
    quantity=$(sed -n 's/^quaderno, costo unitario 1500 lire, quantità \([0-9]*\): qual è il costo totale?$/\1/p' <<<"$problem")
    [[ -n $quantity ]] || fail "Form1's problem was given as \"$problem\"" || return 1

    xdotool type --delay 30 0
    xdotool key Return
    expect_heard "sbagliato. esatti 0, errati 1." "a wrong answer" || return 1
    xdotool type --delay 30 $((1500 * quantity))
    xdotool key Return
    next_heard "a right answer" || return 1
    next=$said
    [[ $next =~ ^"esatto. esatti 1, errati 1. quaderno, costo unitario 1500 lire, quantità "[0-9]+": qual è il costo totale?"$ ]] ||
        fail "a right answer: the voice was given \"$next\"" || return 1

    # Full screen and back: the screen is drawn again, and says nothing.
    xdotool key F11
    sleep 0.5
    xdotool key F11
    sleep 1
    (($(heard_count) == seen)) ||
        fail "a screen only repainted said: $(heard | sed -n "$((seen + 1)),\$p")" || return 1

    back_to_menu || return 1
    xdotool key shift+Tab Return # from "Esci" back round to "usa il denaro"
    expect "$Exercise" "$Exercise" "the money board" || return 1
    next_heard "the money board opened" || return 1
    problem=$said
    list=$(sed -n 's/^sul tavolo: \(.*\); avevo pagato la merce [0-9]* lire\. quanto ho ricavato?$/\1/p' <<<"$problem")
    cost=$(sed -n 's/.*avevo pagato la merce \([0-9]*\) lire\. .*/\1/p' <<<"$problem")
    [[ -n $list && -n $cost ]] || fail "the board's problem was given as \"$problem\"" || return 1
    mapfile -t pieces < <(grep -oE 'da [0-9]+ lire' <<<"$list" | awk '{ print $2 }')
    for piece in "${pieces[@]}"; do revenue=$((revenue + piece)); done
    xdotool type --delay 30 "$revenue"
    xdotool key Return
    next_heard "the revenue typed" || return 1
    next=$said
    [[ $next == *"Clicca sul denaro che avevi utilizzato per pagare."* ]] ||
        fail "the revenue typed: the voice was given \"$next\"" || return 1
    # The cost's own pieces, largest first, are all on the board: pay with them.
    left=$cost
    local paid=0
    for piece in "${pieces[@]}"; do
        ((left)) || break
        if ((piece <= left)); then
            left=$((left - piece))
            paid=$((paid + piece))
            xdotool key Return
            if ((left)); then
                expect_heard "pagato $paid lire di $cost lire." "paying $piece" || return 1
            else
                expect_heard "pagato $paid lire di $cost lire. avevo pagato la merce $cost lire e ho ricavato $revenue lire: quanto ho guadagnato?" "the last piece paid" || return 1
            fi
        else
            xdotool key Tab
        fi
    done
    xdotool type --delay 30 $((revenue - cost))
    xdotool key Return
    next_heard "the gain typed" || return 1
    next=$said
    [[ $next == "esatto. esatti 1, errati 0. sul tavolo: "* ]] ||
        fail "the gain typed: the voice was given \"$next\"" || return 1
    echo "  the voice was given:"
    heard | sed 's/^/    /'
    back_to_menu && leave_program
}

# No server answers: one line says why, and Form1 is judged as ever.
no_server_lesson_goes_on() {
    catalogue
    voice_env "$work/nessuno.sock"
    start_program "$program_dir" "$work/senza-voce.log"
    open_first_exercise || return 1
    sleep 1
    expect_judged || return 1
    local lines
    lines=$(grep -c "lettura ad alta voce" "$work/senza-voce.log")
    ((lines == 1)) || fail "$lines lines about reading aloud, not one:" \
        "$(cat "$work/senza-voce.log")" || return 1
    back_to_menu && leave_program
}

# A screen reader speaks: the program leaves the voice to it.
screen_reader_alone() {
    seen=0
    rm -f "$work/heard.txt"
    catalogue
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status \
        string:ScreenReaderEnabled variant:boolean:true >/dev/null ||
        fail "the screen reader's status could not be set" || return 1
    voice_env "$work/speechd.sock"
    start_program "$program_dir" "$work/lettore.log"
    open_first_exercise || return 1
    sleep 1
    (($(heard_count) == 0)) || fail "the voice was given: $(heard)" || return 1
    grep -q "lettore di schermo" "$work/lettore.log" ||
        fail "no line says why the program is silent" || return 1
    back_to_menu && leave_program
}

start_xserver
status=$?
if ((status == 77)); then
    echo "voice: SKIPPED: no X server can be had (install Xvfb)"
    exit 77
elif ((status != 0)); then
    exit 1
fi
if ! start_speechd >"$work/speechd.txt"; then
    echo "voice: SKIPPED: $(cat "$work/speechd.txt")"
    exit 77
fi

suite=voice
run_case "--leggi: Form1 and the money board heard in order" form1_and_board_heard \
    "$work/leggi.log"
run_case "no speech server: one line, and the lesson goes on" no_server_lesson_goes_on \
    "$work/senza-voce.log"
if [[ -n ${MERCANZOLA_E2E_BUS:-} ]] && start_a11y_bus >"$work/bus.txt"; then
    run_case "a screen reader running: no voice of the program's" screen_reader_alone \
        "$work/lettore.log"
else
    echo "voice: a screen reader running: SKIPPED: $(cat "$work/bus.txt" 2>/dev/null)"
fi

echo "voice: $passed passed, $failed failed"
((failed == 0))
