#!/usr/bin/env bash
# Walks the built program as a pupil would, on an X server of its own, so that a
# missing data file, plugin or install step fails the suite:
#   1. start screen, menu (with the sound plugin loaded), "trova il costo
#      totale" opened with a slow Enter, a wrong answer with Enter held down
#      (its sound, no.wav, played whole through ALSA's file plugin),
#      "Informazioni" and OK, "Esci" and No (none of which may count an answer),
#      back to the menu through the screen's "Esci", then out through the menu's
#      "Esci"; every screen centred, the counts read as a screen reader hears them;
#   2. in euro: Form1 answered with a comma, Form13 paid with the keyboard;
#   3. --controlla on good and bad catalogues, with no window;
#   4. a program folder without lista.txt: no start screen, an Italian report
#      and a non-zero exit.
# Usage: walk.sh PROGRAM_FOLDER. Exit 0 when all pass, 1 when one fails or the
# accessibility bus cannot be had, 77 when no X server can be had.

set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/lib.sh
source "$here/lib.sh"
own_session_bus "$@"
walk_folders e2e "${1:-}"
trap end_walk EXIT

sound_plugin_loaded() {
    grep -q "$(realpath "$program_dir")/plugins/libmercanzola_sound.so" "/proc/$program_pid/maps"
}

expect_centred() { # windows, focus, what
    expect "$1" "$2" "$3" || return 1
    window_centred "$1" || fail "$3: the window is not centred on the display"
}

# What the pupil typed in Form1's answer box, and a key that shows when every
# key before it has been handled.
typed=
type_in_form1() {
    xdotool type --delay 30 "$1"
    typed+=$1
    box_holds "costo totale" "$typed" "$2"
}

# ALSA's default device as a file: what the program plays, sample by sample.
alsa_to_file() {
    cat >"$work/asound.conf" <<CONF
pcm.!default { type file; slave { pcm { type null } } file "$work/played.raw"; format raw }
CONF
    [[ " ${program_env[*]} " == *" ALSA_CONFIG_PATH="* ]] ||
        program_env+=(ALSA_CONFIG_PATH="$work/asound.conf")
}

# The samples of a WAV file (a 44-byte header, as the build writes them) are
# what reached the device, in full.
heard_whole() { # wav file
    local samples=$(($(stat -c %s "$1") - 44))
    [[ -f $work/played.raw ]] && (($(stat -c %s "$work/played.raw") >= samples)) &&
        cmp -s <(tail -c "$samples" "$work/played.raw") <(tail -c "$samples" "$1")
}

walk_to_form1_and_out() {
    typed=
    alsa_to_file
    start_program "$program_dir" "$work/walk.log"
    expect_centred "$Start" "$Start" "start screen" 15 || return 1

    xdotool key Return # "Avvio" has the focus
    expect_centred "$Menu" "$Menu" "menu after Enter on Avvio" || return 1
    poll_for 5 sound_plugin_loaded ||
        fail "the sound plugin of the program folder was not loaded with the menu" || return 1

    # From "Esci" to "trova il costo totale", pressed as a child does: the key
    # goes up a moment later, when Form1 may already have the keyboard.
    xdotool key Tab keydown Return
    sleep 0.3
    xdotool keyup Return
    expect_centred "$Exercise" "$Exercise" "Form1 after a slow Enter on the menu" || return 1
    # Dearer than any article of the catalogue eleven times over: always wrong.
    type_in_form1 99999999 "typing in Form1" || return 1
    counts_heard 0 0 "Form1 opened with Enter" || return 1

    # Held past the X server's auto-repeat delay: many presses and releases.
    xdotool keydown Return
    sleep 1.5
    xdotool keyup Return
    type_in_form1 7 "typing after Enter held down" || return 1
    counts_heard 0 1 "a wrong answer with Enter held down" || return 1
    atspi_read find --exact --wait 3 "risposta sbagliata" >/dev/null ||
        fail "no sad face heard after a wrong answer" || return 1
    poll_for 5 heard_whole "$program_dir/suoni/no.wav" ||
        fail "no.wav did not reach the sound device whole after a wrong answer" || return 1

    # The screen's menu bar through the keyboard: Alt, then along the items.
    xdotool key --delay 100 alt Right Return
    expect "$Exercise box" box "the information box" || return 1
    atspi_read find --role alert --exact --wait 3 "La mercanzola" >/dev/null ||
        fail "the information box is not heard as an alert" || return 1
    xdotool key Return # on OK
    expect "$Exercise" "$Exercise" "Form1 after OK" || return 1
    type_in_form1 7 "typing after OK" || return 1
    counts_heard 0 1 "Enter on the information box's OK" || return 1

    xdotool key --delay 100 alt Right Right Return
    expect "$Exercise box" box "the question after the screen's Esci" || return 1
    xdotool key Tab Return # on No
    expect "$Exercise" "$Exercise" "Form1 after No" || return 1
    type_in_form1 7 "typing after No" || return 1
    counts_heard 0 1 "Enter on No to the screen's Esci" || return 1

    xdotool key --delay 100 alt Right Right Return
    expect "$Exercise box" box "the question after the screen's Esci" || return 1
    xdotool key Return # "Sì" is the default button
    expect_centred "$Menu" "$Menu" "menu after Yes" || return 1

    xdotool key Return # "Esci" has the focus again
    expect "$Menu box" box "the question after the menu's Esci" || return 1
    xdotool key Return
    wait_exit 5 || fail "the program did not end after Yes" || return 1
    ((program_status == 0)) || fail "exit code $program_status, expected 0" || return 1
}

# Cents written the Italian way: 1250 as 12,50.
euro_text() {
    printf '%d,%02d' $(($1 / 100)) $(($1 % 100))
}

# The board's pieces in slot order, in cents, as a screen reader names them.
board_cents() {
    atspi_read dump | grep -oE "(banconota|moneta) da [0-9]+ (euro|centesimi)" |
        awk '{ print $4 == "euro" ? $3 * 100 : $3 }'
}

euro_walk() {
    program_args=(--euro)
    start_program "$program_dir" "$work/euro.log"
    program_args=()
    open_first_exercise || return 1
    local price quantity cents
    price=$(heard_after "costo unitario: ") && quantity=$(heard_after "quantità: ") ||
        fail "Form1's unit cost and quantity are not heard" || return 1
    cents=$((10#${price//[.,]/} * quantity))
    xdotool type --delay 30 "$(euro_text "$cents")"
    xdotool key Return
    counts_heard 1 0 "$price × $quantity answered $(euro_text "$cents")" || return 1
    back_to_menu || return 1

    xdotool key shift+Tab Return # from "Esci" back round to "usa il denaro"
    expect "$Exercise" "$Exercise" "Form13 after Shift+Tab, Enter on the menu" || return 1
    local cost pieces=() piece revenue=0 left
    cost=$(heard_after "Avevo pagato la merce € ") || fail "no cost in euro on Form13" || return 1
    cost=$((10#${cost//,/}))
    mapfile -t pieces < <(board_cents)
    for piece in "${pieces[@]}"; do revenue=$((revenue + piece)); done
    xdotool type --delay 30 "$(euro_text "$revenue")"
    xdotool key Return
    # The cost's own pieces, largest first, are all on the board: pay with them.
    left=$cost
    for piece in "${pieces[@]}"; do
        ((left)) || break
        ((piece <= left)) && left=$((left - piece)) && xdotool key Return || xdotool key Tab
    done
    xdotool type --delay 30 "$(euro_text $((revenue - cost)))"
    xdotool key Return
    counts_heard 1 0 "the gain in euro" || return 1
    back_to_menu && leave_program
}

# A teacher's check of a catalogue, with no window: what is in it, or the report
# the program would start with, and exit 1. A file, then what is said of it, and
# a warning also said, if any.
catalogue_checked() {
    local file content expected also said status
    while IFS='|' read -r content expected also; do
        file=$program_dir/lista-euro.txt
        [[ -z $content ]] || { file=$work/prova.txt && printf '%b' "$content" >"$file"; }
        said=$("$program_dir/mercanzola" --controlla "$file" 2>&1)
        status=$?
        [[ $said == *"$expected"* && $said == *"$also"* &&
            $status == $([[ $expected == *", valuta "* ]]; echo $?) ]] ||
            fail "--controlla on '$content' said (exit $status): $said" || return 1
    done <<'EOF'
|lista-euro.txt: 100 articoli, valuta euro
valuta:euro\nmatita,0.30,12.5\n|prova.txt: 1 articolo, valuta euro
  VALUTA : Euro \r\n"gelato","1,50",2\r\n|1 articolo, valuta euro
\xEF\xBB\xBF\n\r\n  \nvaluta: euro\nmatita,0.30,0.50\n|1 articolo, valuta euro
\nvaluta:\nmatita,0.30,0.50\n|Riga 2: la riga "valuta:" non dice la valuta come si deve: si scrive "valuta: lire" oppure "valuta: euro".
valuta = euro\nmatita,0.30,0.50\n|Riga 1: la riga "valuta = euro" non dice la valuta
valuta euro\nmatita,0.30,0.50\n|Riga 1: la riga "valuta euro" non dice la valuta
valutazione,100,200\n|1 articolo, valuta lire
matita,0.30,0.50\n|1 articolo, valuta lire|Riga 1: il prezzo 0.30 in lire vale 0 lire; se i prezzi sono in euro, l'elenco comincia con la riga "valuta: euro".
gomma,1.200,1500\n|1 articolo, valuta lire|Riga 1: il prezzo 1.200 in lire vale 1 lira: se è 1200, scrivete 1200
libro,"12,5",2\n|1 articolo, valuta lire|il prezzo "12,5" in lire vale 0 lire
valuta: euro\nlibro,-1.50,2\n|il prezzo -1.50 ha un segno: in euro un prezzo si scrive senza + e senza -
valuta: euro\nmatita,0.3,0.5\ngomma,0.405,0.6\n|Articolo numero 2, alla riga 3: il prezzo 0.405 non
valuta: euro\nmatita,"0,305",1\n|il prezzo 0,305 non è un prezzo in euro
valuta: euro\nmatita,uno,2\n|il prezzo uno non
valuta: dollari\nmatita,1,2\n|la valuta dollari non è conosciuta
EOF
}

no_catalogue_no_start() {
    local folder="$work/senza-lista" log="$work/senza-lista.log"
    mkdir "$folder" && cp -r "$program_dir/mercanzola" "$program_dir/suoni" \
        "$program_dir/immagini" "$folder/" || return 1
    start_program "$folder" "$log"
    expect_report "$log" 10 "Manca l'elenco degli articoli" 'lista\.txt'
}

# A program folder is what the build or the install leaves: all of it is needed.
missing=()
for file in mercanzola lista{,-euro}.txt plugins/libmercanzola_sound.so \
    suoni/{si1,si2,si3,si4,no}.wav \
    immagini/{diecimila,cinquemila,duemila,mille,cinquecento,duecento,cento}.jpg; do
    [[ -f $program_dir/$file ]] || missing+=("$file")
done
if ((${#missing[@]})); then
    echo "e2e: the program folder $program_dir lacks: ${missing[*]}"
    echo "e2e: 0 passed, 4 failed"
    exit 1
fi

start_xserver
status=$?
if ((status == 77)); then
    echo "e2e: SKIPPED: no X server can be had (install Xvfb)"
    exit 77
elif ((status != 0)); then
    echo "e2e: 0 passed, 4 failed"
    exit 1
fi
for tool in xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "e2e: $tool is needed to walk the program (packages xdotool, imagemagick)"
        echo "e2e: 0 passed, 4 failed"
        exit 1
    fi
done

a11y_bus_or_exit e2e "e2e: 0 passed, 4 failed"
program_env=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)

run_case "start, menu, Form1 with Enter held, boxes, back, out" walk_to_form1_and_out \
    "$work/walk.log"
run_case "in euro: Form1 with a comma, paying on Form13" euro_walk "$work/euro.log"
run_case "--controlla on good and bad catalogues" catalogue_checked /dev/null
run_case "no lista.txt, no start screen" no_catalogue_no_start "$work/senza-lista.log"

echo "e2e: $passed passed, $failed failed"
((failed == 0))
