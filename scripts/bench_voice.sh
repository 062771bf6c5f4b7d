#!/usr/bin/env bash
# The first problem's delay with --leggi, run by bench.sh: from the Enter on
# the menu that opens "trova il costo totale" to its first sound, with
# Debian's espeak-ng module behind a speech-dispatcher of the bench's own (its
# sound written to a file); on a quiet PC and beside two busy loops (targets
# 1 s and 5 s). The voice opens while the start screen is up, as for a pupil
# who presses Enter at once. Measures, never judges.
# Usage: bench_voice.sh [ROUNDS]   (default 5)
set -uo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
cmake --build build --target mercanzola mercanzola_speech >/dev/null || exit 1
[[ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ]] && command -v speech-dispatcher \
    >/dev/null || { echo "bench: no speech-dispatcher with espeak-ng: the voice is left out" >&2
    exit 0; }
# shellcheck source=../tests/e2e/lib.sh
source tests/e2e/lib.sh
work=$(mktemp -d "${TMPDIR:-/tmp}/mercanzola-bench-voce.XXXXXX")
server_pid=
busy_pids=()
end_busy() { local p; for p in "${busy_pids[@]}"; do end_started "$p"; done; busy_pids=(); }
trap 'end_busy; stop_program; end_started "$server_pid"; stop_xserver; rm -rf "$work"' EXIT
start_xserver >/dev/null || { echo "bench: an X server is needed (package xvfb)" >&2; exit 1; }

start_espeak_speechd "$work/conf" "$work/speechd.sock" "$work/sound.raw" ||
    { echo "bench: speech-dispatcher did not start" >&2; exit 1; }
server_pid=$espeak_pid

printf 'quaderno,1000,1500\r\n' >"$work/lista.txt"
program_env=(LANG=C.UTF-8 "SPEECHD_ADDRESS=unix_socket:$work/speechd.sock" SPEECHD_CMD=/bin/false)
program_args=(--leggi --lista "$work/lista.txt")
sound_bytes() { stat -c %s "$work/sound.raw" 2>/dev/null || echo 0; }
now_ms() { local t=${EPOCHREALTIME/[.,]/}; echo $((t / 1000)); }

# One start: the milliseconds from the Enter on the menu to the first sound.
one_round() {
    local before opened
    before=$(sound_bytes)
    start_program build "$work/program.log"
    expect "$Start" "$Start" "start screen" 30 >/dev/null || return 1
    xdotool key Return
    expect "$Menu" "$Menu" "menu" 30 >/dev/null || return 1
    xdotool key Tab Return
    opened=$(now_ms)
    until (($(sound_bytes) > before)); do
        (($(now_ms) - opened > 180000)) && return 1
        sleep 0.01
    done
    echo $(($(now_ms) - opened))
    stop_program
    sleep 1
}

summary() { # name, milliseconds...
    local name=$1
    shift
    (($#)) || { printf '%-52s %s\n' "$name" "not measured"; return; }
    local sorted
    mapfile -t sorted < <(printf '%s\n' "$@" | sort -n)
    printf '%-52s median %6d ms  min %6d  max %6d  n %d\n' "$name" \
        "${sorted[$((${#sorted[@]} / 2))]}" "${sorted[0]}" "${sorted[-1]}" "${#sorted[@]}"
}

for load in quiet busy; do
    [[ $load == busy ]] && for _ in 1 2; do
        (while :; do :; done) &
        busy_pids+=($!)
    done
    delays=()
    for ((round = 1; round <= rounds; ++round)); do
        delay=$(one_round) && delays+=("$delay")
        stop_program
    done
    end_busy
    target=1000
    [[ $load == busy ]] && target=5000
    summary "voice: menu Enter → first problem heard, $load" "${delays[@]}"
    echo "  (target ${target} ms; load average $(cut -d' ' -f1-3 /proc/loadavg))"
done
