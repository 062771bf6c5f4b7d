#!/usr/bin/env bash
# Builds, then measures the program on an X server of its own and prints one
# table: start-up against a bare Qt window, screen switches, the work of one
# answer, then the record's figures (scripts/bench_record.sh). It measures and never judges: a slow figure does not fail it; only a
# measurement that could not be taken does.
# Usage: bench.sh [--rounds N] [--quick]   (--quick: 2 rounds, a short check)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --test >/dev/null
cmake --build build --target mercanzola_bench bench_worksheet >/dev/null

# shellcheck source=../tests/e2e/lib.sh
source tests/e2e/lib.sh
status=0
start_xserver || status=$?
if ((status != 0)); then
    echo "bench: an X server is needed (package xvfb)" >&2
    exit 1
fi

# speech-dispatcher with Debian's espeak-ng module (every voice of espeak-ng
# listed), on sockets of the bench's own, for the start with --leggi.
voice_dir=
voice_pid=
stop_voice() {
    [[ -n $voice_dir ]] || return 0
    [[ -x $voice_dir/stop-spawned.sh ]] && "$voice_dir/stop-spawned.sh"
    end_started "$voice_pid"
    rm -rf "$voice_dir"
}
trap 'stop_voice; stop_xserver' EXIT
start_voice() {
    [[ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ]] && command -v speech-dispatcher \
        >/dev/null || return 1
    voice_dir=$(mktemp -d "${TMPDIR:-/tmp}/mercanzola-bench-voice.XXXXXX")
    mkdir -p "$voice_dir/conf/modules" "$voice_dir/log"
    : >"$voice_dir/conf/modules/espeak-ng.conf"
    cat >"$voice_dir/conf/speechd.conf" <<CONF
CommunicationMethod "unix_socket"
AudioOutputMethod "alsa"
AudioALSADevice "null"
DefaultLanguage "it"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule "espeak-ng"
CONF
    local server="speech-dispatcher -s -t 0 -C $voice_dir/conf -L $voice_dir/log"
    # What the voice runs when the server is not there: it returns once the
    # server listens, as speech-dispatcher --spawn does; or fails.
    cat >"$voice_dir/spawn.sh" <<SCRIPT
#!/bin/sh
setsid $server -S $voice_dir/spawned.sock -P $voice_dir/spawned.pid >/dev/null 2>&1 &
for i in \$(seq 100); do [ -S $voice_dir/spawned.sock ] && exit 0; sleep 0.05; done
exit 1
SCRIPT
    cat >"$voice_dir/spawn-fails.sh" <<SCRIPT
#!/bin/sh
exec $server -S $voice_dir/nowhere/failed.sock -P $voice_dir/failed.pid
SCRIPT
    cat >"$voice_dir/stop-spawned.sh" <<SCRIPT
#!/bin/sh
[ -s $voice_dir/spawned.pid ] && kill \$(cat $voice_dir/spawned.pid) 2>/dev/null
for i in \$(seq 50); do [ -S $voice_dir/spawned.sock ] || exit 0; sleep 0.1; done
rm -f $voice_dir/spawned.sock
SCRIPT
    chmod +x "$voice_dir"/*.sh
    $server -S "$voice_dir/running.sock" -P "$voice_dir/running.pid" >/dev/null 2>&1 &
    voice_pid=$!
    poll_for 10 test -S "$voice_dir/running.sock" && export MERCANZOLA_BENCH_SPEECHD=$voice_dir
}
start_voice || echo "bench: no speech-dispatcher with espeak-ng: the start with --leggi is left out" >&2
build/bench/mercanzola_bench --program build "$@"
cmake --build build --target bench_levels >/dev/null
build/bench/bench_levels | tail -1
bash scripts/bench_record.sh
bash scripts/bench_voice.sh
build/bench/bench_worksheet 5 | tail -1
