#!/usr/bin/env bash
# Pictures of the program for the README: the start screen, the menu,
# "trova il costo totale" and "spesa - guadagno - ricavo " after an answer (so
# that a face shows), each cropped to its window, saved to docs/start.png,
# docs/menu.png, docs/esercizio.png and docs/misto.png.
# Runs the built program under an X server of its own; builds nothing.
# Usage: scripts/screenshots.sh [PROGRAM_FOLDER], by default build/.

set -u

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
program_dir=$(cd "${1:-$repo/build}" && pwd) || exit 1
docs="$repo/docs"
# shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
source "$repo/tests/e2e/lib.sh"

[[ -x $program_dir/mercanzola ]] || {
    echo "no program in $program_dir: build it first"
    exit 1
}
for tool in xdotool import; do
    command -v "$tool" >/dev/null || {
        echo "$tool is needed (packages xdotool, imagemagick)"
        exit 1
    }
done

log=$(mktemp "${TMPDIR:-/tmp}/mercanzola-shots.XXXXXX") || exit 1
cleanup() {
    stop_program
    stop_xserver
    rm -f "$log"
}
trap cleanup EXIT

start_xserver || exit 1
mkdir -p "$docs"

shoot() { # window pattern, file
    local id
    id=$(window_ids "$1" | head -n 1)
    import -window "$id" "$docs/$2" && echo "saved docs/$2"
}

fail() {
    echo "$*"
    [[ -s $log ]] && sed 's/^/  /' "$log"
    exit 1
}

# Debian's own default language: the program writes amounts the Italian way
# ("65.000") whatever the system's.
program_env=(LC_ALL=C.UTF-8 LANG=C.UTF-8)
start_program "$program_dir" "$log"
expect "$Start" "$Start" "start screen" 15 || fail "the start screen did not appear"
shoot "$Start" start.png

xdotool key Return
expect "$Menu" "$Menu" "menu" || fail "the menu did not appear"
shoot "$Menu" menu.png

# An answer in the exercise screen now open, so that a face shows, then its picture.
answer_and_shoot() { # file
    local screen before
    screen=$(window_ids "$Exercise")
    xdotool type --delay 30 '1.000'
    before=$(feedback_strip "$screen")
    xdotool key Return
    poll_for 3 strip_changed "$screen" "$before" || fail "no face appeared after the answer"
    shoot "$Exercise" "$1"
}

xdotool key Tab Return
expect "$Exercise" "$Exercise" "exercise" || fail "the exercise screen did not appear"
answer_and_shoot esercizio.png

# Back to the menu, then "spesa - guadagno - ricavo ", eight buttons on from "Esci".
xdotool key --delay 100 alt Right Right Return
expect "$Exercise box" box "question" || fail "no question after the screen's Esci"
xdotool key Return
expect "$Menu" "$Menu" "menu" || fail "the menu did not come back"
xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab Tab Return
expect "$Exercise" "$Exercise" "exercise" || fail "the mixed exercise did not appear"
answer_and_shoot misto.png

# Out the way a pupil leaves: the screen's "Esci", Yes, the menu's "Esci", Yes.
xdotool key --delay 100 alt Right Right Return
expect "$Exercise box" box "question" && xdotool key Return &&
    expect "$Menu" "$Menu" "menu" && xdotool key Return &&
    expect "$Menu box" box "question" && xdotool key Return
wait_exit 5 || echo "the program did not end by itself; stopping it"
