#!/usr/bin/env bash
# Reading aloud, heard by a speech server of the test's own: speech-dispatcher
# in a temporary folder, on a Unix socket there only, whose output module
# writes each text it is given to a file instead of sounding it.
#   1. --leggi: Form1 opened and answered, then only repainted; the texts in
#      order, with amounts as a teacher reads them;
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
walk_folders voice "${1:-}"
speechd_pid=
trap 'stop_program; end_started "$speechd_pid"; end_walk' EXIT

# A server whose audio device never opens, with one generic module made the
# default, that calls record.sh with each piece of text. Qt sees only the
# voices declared; an English one too, or its engine starts in an error state
# under a locale that is not Italian.
start_speechd() {
    command -v speech-dispatcher >/dev/null ||
        { echo "no speech-dispatcher (package speech-dispatcher)" && return 1; }
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
    awk 'NR > 1 && /^ / { line = line $0; next } NR > 1 { print line } { line = $0 }
         END { if (NR) print line }' "$work/heard.txt"
}

# Whether the voice was given at least $1 texts.
heard_at_least() {
    (($(heard | wc -l) >= $1))
}

# Waits for the voice's next text, puts it in $said and matches it with the
# pattern $1, where a "?" is only itself.
seen=0
said=
expect_heard() { # pattern what
    poll_for 10 heard_at_least $((seen + 1)) ||
        fail "$2: the voice was given nothing new after:" "$(heard)" || return 1
    sleep 0.3 # a text comes in pieces: let its last piece arrive
    seen=$((seen + 1))
    said=$(heard | sed -n "${seen}p")
    # shellcheck disable=SC2053 # a pattern
    [[ $said == ${1//\?/[?]} ]] || fail "$2: the voice was given \"$said\", not \"$1\""
}

heard_nothing_new() { # what
    sleep 1
    ! heard_at_least $((seen + 1)) || fail "$1 said: $(heard | sed -n "$((seen + 1)),\$p")"
}

# The program with --leggi and its voice at the socket $1, from a fresh start
# on to Form1.
start_reading() { # socket output
    seen=0
    : >"$work/heard.txt"
    printf 'quaderno,1000,1500\r\n' >"$work/lista.txt"
    # No server of the library's own starting when the socket is not there.
    program_env=(LANG=C.UTF-8 "SPEECHD_ADDRESS=unix_socket:$1" SPEECHD_CMD=/bin/false)
    program_args=(--leggi --lista "$work/lista.txt")
    start_program "$program_dir" "$2"
    open_first_exercise
}

form1_heard() {
    local problem='quaderno, costo unitario 1500 lire, quantità +([0-9]): qual è il costo totale?'
    start_reading "$work/speechd.sock" "$work/leggi.log" || return 1
    expect_heard "$problem" "Form1 opened" || return 1
    local quantity=${said##*quantità }
    xdotool type --delay 30 $((1500 * ${quantity%%:*}))
    xdotool key Return
    expect_heard "esatto. esatti 1, errati 0. $problem" "a right answer" || return 1
    # Full screen and back: the screen is drawn again, and says nothing.
    xdotool key F11
    sleep 0.5
    xdotool key F11
    heard_nothing_new "a screen only repainted" || return 1
    back_to_menu && leave_program
}

# No server answers: one line says why, and Form1 is judged as ever.
no_server_lesson_goes_on() {
    start_reading "$work/nessuno.sock" "$work/senza-voce.log" || return 1
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
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status \
        string:ScreenReaderEnabled variant:boolean:true >/dev/null ||
        fail "the screen reader's status could not be set" || return 1
    start_reading "$work/speechd.sock" "$work/lettore.log" || return 1
    heard_nothing_new "beside a screen reader, the program" || return 1
    grep -q "lettore di schermo" "$work/lettore.log" ||
        fail "no line says why the program is silent" || return 1
    back_to_menu && leave_program
}

start_xserver_or_exit 3
if ! start_speechd >"$work/speechd.txt"; then
    echo "voice: SKIPPED: $(cat "$work/speechd.txt")"
    exit 77
fi

suite=voice
run_case "--leggi: Form1 heard in order, a repaint silent" form1_heard "$work/leggi.log"
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
