#!/usr/bin/env bash
# Reading aloud, heard by a speech server of the test's own: speech-dispatcher
# in a temporary folder, on a Unix socket there only, whose output module
# writes each text it is given to a file instead of sounding it.
#   1. --leggi: Form1 opened and answered, then only repainted; the texts in
#      order, with amounts as a teacher reads them;
#   2. speech-dispatcher not yet running, started by the voice and held back:
#      the menu and Form1 come at once, and once the server is up only the
#      newest text is read;
#   3. speech-dispatcher ended and started again mid-lesson: the next text
#      reopens it, with one line on standard error;
#   4. no speech server: one line on standard error, and the lesson goes on;
#   5. a screen reader running: the program does not speak on its own; one
#      started mid-lesson silences it, and stopped lets it speak again;
#   6. Debian's espeak-ng module, its sound written to a file: Form1 heard,
#      about 1.4 times as long at "--lentezza 3" as at "--lentezza 1";
#   7. two busy loops beside it: the first problem still heard (not minutes
#      later, as a voice below every other process was);
#   8. another client's sentence (a screen reader's) goes on when the pupil
#      leaves an exercise; the program's own stops when it is ended by SIGTERM.
# The recording module lists thousands of voices, as Debian's espeak-ng does.
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
# The server the voice started in the second case, if it is still there.
end_late_server() { [[ ! -s $work/late.pid ]] || kill "$(cat "$work/late.pid")" 2>/dev/null; }
real_pid=
trap 'end_busy_loops; stop_program; end_started "$speechd_pid"; end_started "$real_pid"; end_late_server; end_walk' EXIT

# A server whose audio device never opens, with one generic module made the
# default, that calls record.sh with each piece of text. Qt sees only the
# voices declared; an English one too, or its engine starts in an error state
# under a locale that is not Italian.
write_speechd_config() {
    mkdir -p "$work/speechd/modules" "$work/speechd-log"
    # While hold exists, a text is "read" until go exists: long enough to be
    # cancelled, which ends this script.
    cat >"$work/record.sh" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >>"$work/heard.txt"
[ -e "$work/hold" ] || exit 0
echo inizio >>"$work/held.txt"
i=0
while [ ! -e "$work/go" ] && [ \$i -lt 300 ]; do sleep 0.1; i=\$((i + 1)); done
echo fine >>"$work/held.txt"
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
    local n
    for ((n = 1; n <= 3000; n++)); do
        echo "AddVoice \"en\" \"MALE1\" \"variante$n\""
    done >>"$work/speechd/modules/record.conf"
    # What the voice runs to start a server that is not running: once the
    # test lets it (late.go), the same server on a socket of its own.
    cat >"$work/late-start.sh" <<SCRIPT
#!/bin/sh
while [ ! -e "$work/late.go" ]; do sleep 0.1; done
setsid speech-dispatcher -s -t 0 -C "$work/speechd" -c unix_socket -S "$work/late.sock" \\
    -L "$work/speechd-log" -P "$work/late.pid" >/dev/null 2>&1 &
for i in \$(seq 100); do [ -S "$work/late.sock" ] && exit 0; sleep 0.1; done
exit 1
SCRIPT
    chmod +x "$work/late-start.sh"
}

start_speechd() {
    command -v speech-dispatcher >/dev/null ||
        { echo "no speech-dispatcher (package speech-dispatcher)" && return 1; }
    rm -f "$work/speechd.sock"
    speech-dispatcher -s -t 0 -C "$work/speechd" -c unix_socket -S "$work/speechd.sock" \
        -L "$work/speechd-log" -P "$work/speechd.pid" >"$work/speechd.out" 2>&1 &
    speechd_pid=$!
    poll_for 10 test -S "$work/speechd.sock" || {
        echo "speech-dispatcher did not start:"
        sed 's/^/  /' "$work/speechd.out"
        return 1
    }
}

start_real_speechd() {
    start_espeak_speechd "$work/real" "$work/real.sock" "$work/sound.raw" && real_pid=$espeak_pid
}

sound_bytes() { stat -c %s "$work/sound.raw" 2>/dev/null || echo 0; }
sound_beyond() { (($(sound_bytes) > $1)); }

# Form1's problem as the real module sounds it at --lentezza $1: its bytes in $sound.
real_problem_sound() { # slowness
    local before after=
    before=$(sound_bytes)
    start_reading "$work/real.sock" "$work/espeak.log" /bin/false --lentezza "$1" || return 1
    poll_for 30 sound_beyond "$before" || fail "no sound at --lentezza $1" || return 1
    until [[ $after == "$(sound_bytes)" ]]; do
        after=$(sound_bytes)
        sleep 1
    done
    sound=$((after - before))
    back_to_menu && leave_program
}

# The start with its 13,000 voices, and the slowest of the three rates.
real_module_rates() {
    [[ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ]] ||
        { echo "  SKIPPED: no sd_espeak-ng (package speech-dispatcher-espeak-ng)" && return 77; }
    # A slow machine only makes the wait longer: a server that never comes fails.
    start_real_speechd || fail "speech-dispatcher with sd_espeak-ng did not start" || return 1
    real_problem_sound 1 || return 1
    local quick=$sound
    real_problem_sound 3 || return 1
    # 152 and 110 words a minute; the quantity drawn changes a word or two.
    ((sound * 100 >= quick * 125 && sound * 100 <= quick * 160)) ||
        fail "--lentezza 3 gave $sound bytes of sound, --lentezza 1 $quick"
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
    poll_for 20 heard_at_least $((seen + 1)) ||
        fail "$2: the voice was given nothing new after:" "$(heard)" || return 1
    local before= # a text comes in pieces: let its last piece arrive
    until [[ $before == "$(wc -c <"$work/heard.txt")" ]]; do
        before=$(wc -c <"$work/heard.txt")
        sleep 0.5
    done
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
# on to Form1; $3 is what starts a server that is not there (none by default),
# and what follows more options.
start_reading() { # socket output [server command [options...]]
    seen=0
    : >"$work/heard.txt"
    printf 'quaderno,1000,1500\r\n' >"$work/lista.txt"
    program_env=(LANG=C.UTF-8 "SPEECHD_ADDRESS=unix_socket:$1" "SPEECHD_CMD=${3:-/bin/false}")
    program_args=(--leggi --lista "$work/lista.txt" "${@:4}")
    start_program "$program_dir" "$2"
    open_first_exercise
}

form1_heard() {
    start_reading "$work/speechd.sock" "$work/leggi.log" || return 1
    expect_heard "$problem" "Form1 opened" || return 1
    local quantity=${said##*quantità }
    xdotool type --delay 30 $((1500 * ${quantity%%:*}))
    xdotool key Return
    expect_heard "Esatto. Esatti 1, errati 0. $problem" "a right answer" || return 1
    # Full screen and back: the screen is drawn again, and says nothing.
    xdotool key F11
    sleep 0.5
    xdotool key F11
    heard_nothing_new "a screen only repainted" || return 1
    back_to_menu && leave_program
}

answer_wrong() { xdotool type 1 && xdotool key Return; }

problem='Quaderno, costo unitario 1500 lire, quantità +([0-9]): qual è il costo totale?'

# speech-dispatcher starts only when the test lets it: meanwhile the pupil
# reaches Form1 and answers; then the voice reads the newest text alone.
server_not_yet_running() {
    rm -f "$work/late.go"
    start_reading "$work/late.sock" "$work/tardi.log" "$work/late-start.sh" || return 1
    answer_wrong
    touch "$work/late.go"
    expect_heard "Sbagliato. Esatti 0, errati 1." "the newest text once the server is up" ||
        return 1
    heard_nothing_new "after the newest text" || return 1
    back_to_menu && leave_program && end_late_server
}

# The server ends mid-lesson and starts again: the next text finds it.
server_restarted() {
    start_reading "$work/speechd.sock" "$work/riavvio.log" || return 1
    expect_heard "$problem" "Form1 opened" || return 1
    end_started "$speechd_pid"
    start_speechd >"$work/speechd.txt" || fail "$(cat "$work/speechd.txt")" || return 1
    answer_wrong
    expect_heard "Sbagliato. Esatti 0, errati 1." "the first answer after the restart" ||
        return 1
    (($(grep -c "speech-dispatcher si era fermato" "$work/riavvio.log") == 1)) ||
        fail "not one line about the restart:" "$(cat "$work/riavvio.log")" || return 1
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
    # Plain Italian that tells the teacher what to do, no library's English.
    grep "lettura ad alta voce" "$work/senza-voce.log" | grep -q "chiedete al tecnico" &&
        ! grep "lettura ad alta voce" "$work/senza-voce.log" | grep -qiE "connection|failed" ||
        fail "not a plain Italian line:" "$(cat "$work/senza-voce.log")" || return 1
    back_to_menu && leave_program
}

# A screen reader speaks: the program leaves the voice to it. Orca started
# from a terminal sets only IsEnabled.
screen_reader_alone() { # the status that says so
    screen_reader_status false && accessibility_status IsEnabled false &&
        accessibility_status "$1" true || fail "the status $1 could not be set" || return 1
    start_reading "$work/speechd.sock" "$work/lettore.log" || return 1
    heard_nothing_new "beside a screen reader ($1), the program" || return 1
    grep -q "lettore di schermo" "$work/lettore.log" ||
        fail "no line says why the program is silent" || return 1
    back_to_menu && leave_program && accessibility_status "$1" false
}

accessibility_status() { # property, true or false
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status \
        "string:$1" "variant:boolean:$2" >/dev/null
}

screen_reader_status() { accessibility_status ScreenReaderEnabled "$1"; }

# A screen reader started mid-lesson silences the voice; stopped, it speaks again.
screen_reader_mid_lesson() {
    screen_reader_status false && accessibility_status IsEnabled false ||
        fail "the screen reader's status could not be set" || return 1
    start_reading "$work/speechd.sock" "$work/meta.log" || return 1
    expect_heard "$problem" "Form1 opened" || return 1
    screen_reader_status true && sleep 0.5 && xdotool key F5
    heard_nothing_new "F5 with a screen reader started" || return 1
    screen_reader_status false && sleep 0.5 && xdotool key F5
    expect_heard "$problem" "F5 once the screen reader has stopped" || return 1
    back_to_menu && leave_program
}

# Two processes that take all the CPU they get, as an update or an antivirus
# does on a school's PC.
busy_pids=()
busy_loops() {
    local n
    for n in 1 2; do
        (while :; do :; done) &
        busy_pids+=($!)
    done
}
end_busy_loops() {
    local pid
    for pid in "${busy_pids[@]}"; do end_started "$pid"; done
    busy_pids=()
}

first_problem_when_busy() {
    busy_loops
    start_reading "$work/speechd.sock" "$work/occupato.log" || return 1
    expect_heard "$problem" "Form1 opened beside two busy loops" || return 1
    end_busy_loops
    stop_program
}

# A text held "being read" by the module: $1 starts it, then waits for it.
held_text_started() {
    rm -f "$work/go" "$work/held.txt"
    touch "$work/hold"
    "$@"
    poll_for 20 grep -q inizio "$work/held.txt" || fail "the held text never started"
}
held_text_finished() { # seconds
    touch "$work/go"
    rm -f "$work/hold"
    poll_for "$1" grep -q fine "$work/held.txt"
}

# A second client, as Orca is, speaks while the pupil leaves the exercise: the
# program cancels its own words only.
other_client_kept() {
    start_reading "$work/speechd.sock" "$work/altro.log" || return 1
    expect_heard "$problem" "Form1 opened" || return 1
    held_text_started env "SPEECHD_ADDRESS=unix_socket:$work/speechd.sock" \
        spd-say -P message "Un messaggio del lettore di schermo" || return 1
    back_to_menu || return 1
    sleep 1
    held_text_finished 10 || fail "leaving the exercise cancelled another client's sentence" ||
        return 1
    stop_program
}

# Ended by SIGTERM mid-sentence: the program's sentence stops with it.
silent_after_sigterm() {
    held_text_started start_reading "$work/speechd.sock" "$work/termine.log" || return 1
    kill -TERM "$program_pid" && wait_exit 10 || fail "SIGTERM did not end the program" ||
        return 1
    sleep 1
    ! held_text_finished 3 || fail "the sentence went on after SIGTERM"
}

start_xserver_or_exit 7
write_speechd_config
# Skipped only when speech-dispatcher is not installed; one too slow to start
# within the walk's stretched wait fails it.
if ! start_speechd >"$work/speechd.txt"; then
    if ! command -v speech-dispatcher >/dev/null; then
        echo "voice: SKIPPED: $(cat "$work/speechd.txt")"
        exit 77
    fi
    echo "voice: $(cat "$work/speechd.txt")"
    exit 1
fi

suite=voice
run_case "--leggi: Form1 heard in order, a repaint silent" form1_heard "$work/leggi.log"
run_case "speech-dispatcher not yet running: Form1 at once, the newest text later" \
    server_not_yet_running "$work/tardi.log"
run_case "speech-dispatcher restarted mid-lesson: the next text finds it" server_restarted \
    "$work/riavvio.log"
run_case "no speech server: one line, and the lesson goes on" no_server_lesson_goes_on \
    "$work/senza-voce.log"
run_case "Debian's espeak-ng module: Form1 heard, and slower at --lentezza 3" \
    real_module_rates "$work/espeak.log"
run_case "two busy loops: the first problem heard" first_problem_when_busy "$work/occupato.log"
if command -v spd-say >/dev/null; then
    run_case "leaving an exercise: another client's sentence goes on" other_client_kept \
        "$work/altro.log"
else
    echo "voice: another client's sentence: SKIPPED: no spd-say (package speech-dispatcher)"
fi
run_case "SIGTERM mid-sentence: the program's sentence stops" silent_after_sigterm \
    "$work/termine.log"
if [[ -n ${MERCANZOLA_E2E_BUS:-} ]] && start_a11y_bus >"$work/bus.txt"; then
    run_case "a screen reader started and stopped mid-lesson" screen_reader_mid_lesson \
        "$work/meta.log"
    for status in ScreenReaderEnabled IsEnabled; do
        run_case "a screen reader running ($status): no voice of the program's" \
            screen_reader_alone "$work/lettore.log" "$status"
    done
elif [[ -z ${MERCANZOLA_E2E_BUS:-} ]] || grep -q '^no ' "$work/bus.txt"; then
    echo "voice: a screen reader running: SKIPPED: $(cat "$work/bus.txt" 2>/dev/null)"
else # installed, but the bus did not start within the stretched wait
    echo "  FAIL: a screen reader running: $(cat "$work/bus.txt")"
    failed=$((failed + 1))
fi

echo "voice: $passed passed, $failed failed"
((failed == 0))
