#!/usr/bin/env bash
# The real program against what a school PC may hand it, on an X server of its
# own. Each case ends with the Italian report and a non-zero exit, or the program
# carries on quietly; none may hang:
#   lista.txt of binary junk, of 1 MB (one long name, through a link), of 10 MiB,
#   a folder, a pipe or a link to /dev/zero named lista.txt, lista.txt without read
#   permission (as another user), no sounds, no pictures (every exercise opened),
#   pictures claiming 30000 px, cut short or of junk after a good header, a no.wav
#   of 6 MiB, 32 KiB pasted.
# Usage: bad_input.sh PROGRAM_FOLDER CLIPBOARD_HELPER. Exit 0 when all pass, 1 when
# one fails, 77 when no X server can be had.

set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program_dir=$(cd "${1:?usage: bad_input.sh PROGRAM_FOLDER CLIPBOARD_HELPER}" && pwd) || exit 1
clipboard_helper=${2:?usage: bad_input.sh PROGRAM_FOLDER CLIPBOARD_HELPER}
# shellcheck source=SCRIPTDIR/lib.sh
source "$here/lib.sh"

helper_pid=
work=$(mktemp -d "${TMPDIR:-/tmp}/mercanzola-bad.XXXXXX") || exit 1
# Another user must reach the copies of the program in here.
chmod 755 "$work"

cleanup() {
    stop_program
    [[ -n $helper_pid ]] && kill "$helper_pid" 2>/dev/null
    stop_xserver
    rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own for a case: the program, lista.txt, sounds,
# pictures and the sound plugin, less what is named.
program_folder() { # name, what to leave out...
    local folder="$work/$1" item
    shift
    mkdir -p "$folder" || return 1
    for item in mercanzola lista.txt suoni immagini plugins; do
        [[ -e $program_dir/$item ]] || continue # the sound plugin, where it is built apart
        [[ " $* " == *" $item "* ]] || cp -r "$program_dir/$item" "$folder/" || return 1
    done
    chmod -R a+rX "$folder"
    echo "$folder"
}

# No report on stderr while the program ran, but the notes that the pattern $2
# allows (a missing picture, replaced by a drawing, is named there).
no_error_reported() { # output file [allowed pattern]
    local reports
    reports=$(grep '^la mercanzola:' "$1" | grep -v -- "${2:-^$}")
    [[ -z $reports ]] || fail "an error was reported: $reports"
}

binary_junk() {
    local folder
    folder=$(program_folder junk lista.txt) || return 1
    cp "$here/data/binary-junk.bin" "$folder/lista.txt"
    start_program "$folder" "$work/junk.log"
    expect_report "$work/junk.log" 15 "L'elenco degli articoli non si può usare" \
        "$folder/lista.txt" "Riga 1: c'è un carattere che non è testo"
}

# One name of 1 MB, through a link: it loads, and the exercise that shows it still answers.
long_name() {
    local folder
    folder=$(program_folder huge-name lista.txt) || return 1
    { head -c 1000000 /dev/zero | tr '\0' 'a'; printf ',250,400\r\n'; } >"$work/long-name"
    ln -s "$work/long-name" "$folder/lista.txt"
    start_program "$folder" "$work/huge-name.log"
    open_first_exercise || return 1
    xdotool type --delay 30 '999'
    # Laying out the name takes a few seconds on a busy machine.
    expect_judged 30 || return 1
    back_to_menu && leave_program && no_error_reported "$work/huge-name.log"
}

ten_mebibytes_of_records() {
    local folder
    folder=$(program_folder huge-list lista.txt) || return 1
    yes 'matita,250,400' | head -c $((10 * 1024 * 1024)) >"$folder/lista.txt"
    start_program "$folder" "$work/huge-list.log"
    expect_report "$work/huge-list.log" 15 "$folder/lista.txt" "È troppo grande: 10.240 KB"
}

# Refused before it is opened, as no file is there to read.
catalogue_not_a_file() { # case name, command that makes lista.txt
    local folder
    folder=$(program_folder "$1" lista.txt) || return 1
    (cd "$folder" && $2) || return 1
    start_program "$folder" "$work/$1.log"
    expect_report "$work/$1.log" 15 "$folder/lista.txt" "Non è un file normale"
}

catalogue_is_a_folder() {
    local folder
    folder=$(program_folder folder lista.txt) || return 1
    mkdir "$folder/lista.txt"
    start_program "$folder" "$work/folder.log"
    expect_report "$work/folder.log" 15 "Non si riesce a leggere l'elenco degli articoli" \
        "È una cartella, non un file"
}

# As root every file is readable: the program then runs as the user nobody, which
# needs its own copy of the X cookie and of the leak suppressions.
catalogue_unreadable() {
    local folder user_run=()
    if (($(id -u) == 0)); then
        if ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then
            echo "  SKIPPED: running as root, with no setpriv or no user nobody to lack the permission"
            return 77
        fi
        user_run=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
    fi
    folder=$(program_folder unreadable) || return 1
    chmod 000 "$folder/lista.txt"
    local own_env=() runtime="$work/run-nobody"
    if ((${#user_run[@]})); then
        mkdir -m 700 "$runtime" && chown nobody "$runtime"
        own_env=(HOME="$work" XDG_RUNTIME_DIR="$runtime")
        if [[ -n ${XAUTHORITY:-} ]]; then
            install -m 644 "$XAUTHORITY" "$work/Xauthority-nobody"
            own_env+=(XAUTHORITY="$work/Xauthority-nobody")
        fi
        if [[ ${LSAN_OPTIONS:-} =~ suppressions=([^:]*) ]]; then
            install -m 644 "${BASH_REMATCH[1]}" "$work/lsan.supp"
            own_env+=(LSAN_OPTIONS="${LSAN_OPTIONS/${BASH_REMATCH[1]}/$work/lsan.supp}")
        fi
    fi
    program_runner=("${user_run[@]}")
    program_env=("${own_env[@]}")
    start_program "$folder" "$work/unreadable.log"
    expect_report "$work/unreadable.log" 15 "Non si riesce a leggere l'elenco degli articoli" \
        "Non si ha il permesso di leggerlo"
    local status=$?
    program_runner=()
    program_env=()
    return $status
}

no_sounds() {
    local folder
    folder=$(program_folder no-sounds suoni) || return 1
    start_program "$folder" "$work/no-sounds.log"
    open_first_exercise || return 1
    xdotool type --delay 30 '7'
    expect_judged || return 1
    back_to_menu && leave_program && no_error_reported "$work/no-sounds.log"
}

# Every exercise that the menu offers opens and closes without its pictures.
no_pictures() {
    local folder opened=0 tabs
    folder=$(program_folder no-pictures immagini) || return 1
    start_program "$folder" "$work/no-pictures.log"
    expect "$Start" "$Start" "start screen" 15 || return 1
    xdotool key Return
    expect "$Menu" "$Menu" "menu after Enter on Avvio" || return 1
    # Tab goes over the enabled exercises in order and then comes back to "Esci".
    for tabs in $(seq 1 13); do
        local keys=()
        for _ in $(seq "$tabs"); do keys+=(Tab); done
        xdotool key --delay 50 "${keys[@]}" Return
        poll_for 10 windows_are "$Exercise|$Menu box"
        if windows_are "$Menu box"; then
            break # that was "Esci": every exercise has been seen
        fi
        expect "$Exercise" "$Exercise" "exercise number $tabs of the menu" || return 1
        opened=$((opened + 1))
        back_to_menu || return 1
    done
    ((opened > 0)) || fail "no exercise could be opened" || return 1
    echo "  $opened exercises opened"
    leave_program &&
        no_error_reported "$work/no-pictures.log" "immagine mancante .*: $folder/immagini/"
}

# Every picture claims 30000 px a side, is cut short, or has junk after a good
# header (up to its scan) and before its end marker: each one shown that cannot
# be decoded is drawn instead and named on stderr; the decoder itself says nothing.
spoilt_pictures() { # case name, huge, cut or junk
    local folder log="$work/$1.log" file at
    folder=$(program_folder "$1") || return 1
    for file in "$folder"/immagini/*.jpg; do
        at=$(LC_ALL=C grep -obUaP '\xFF[\xC0-\xC2]' "$file" | head -n 1 | cut -d: -f1)
        [[ $2 == cut ]] && truncate -s $(($(stat -c %s "$file") / 2)) "$file"
        [[ $2 == huge ]] && printf '\x75\x30\x75\x30' | dd of="$file" bs=1 seek=$((at + 5)) conv=notrunc
        if [[ $2 == junk ]]; then
            at=$(LC_ALL=C grep -obUaP '\xFF\xDA' "$file" | head -n 1 | cut -d: -f1)
            # The scan's own header, then junk where the picture's data was.
            truncate -s $((at + 2 + $(od -An -tu1 -j $((at + 2)) -N 2 "$file" |
                awk '{print $1 * 256 + $2}'))) "$file"
            # No 0xFF in it: the scan runs on to the end marker, and is decoded.
            { tr -d '\377' <"$here/data/binary-junk.bin" && printf '\xFF\xD9'; } >>"$file"
        fi
    done 2>/dev/null
    start_program "$folder" "$log"
    open_money_board || return 1
    # Junk may still decode, as a picture of noise, or not at all.
    if [[ $2 == junk ]]; then
        sleep 2
    else
        poll_for 10 grep -q "immagine mancante .*: $folder/immagini/" "$log" || fail "none named" ||
            return 1
    fi
    back_to_menu && leave_program && { ! grep -i jpeg "$log" || fail "the decoder warned"; } &&
        no_error_reported "$log" "immagine mancante .*: $folder/immagini/"
}

# A no.wav of 6 MiB is named once, at the first wrong answer, and never loaded;
# the pictures load without a word.
oversized_sound() {
    local folder
    folder=$(program_folder big-sound) || return 1
    head -c $((6 * 1024 * 1024)) /dev/zero >>"$folder/suoni/no.wav"
    start_program "$folder" "$work/big-sound.log"
    open_money_board && xdotool type '7' && expect_judged && expect_judged || return 1
    back_to_menu && leave_program || return 1
    (($(grep -c "suono inutilizzabile, .*: $folder/suoni/no.wav. È troppo" "$work/big-sound.log") ==
        1)) || fail "no.wav is not named once" || return 1
    no_error_reported "$work/big-sound.log" "suono inutilizzabile, .*: $folder/suoni/no.wav"
}

helper_gone() {
    ! kill -0 "$helper_pid" 2>/dev/null
}

# 32 KiB on the clipboard, pasted with Ctrl+V into the answer box and judged; the
# box then holds all that it can (32,767 characters), as Ctrl+A, Ctrl+C shows.
paste_32_kib() {
    local text length
    text=$(yes 'dodici.000 lire e 50 centesimi, ' | head -c $((32 * 1024)))
    "$clipboard_helper" <<<"$text" >"$work/clipboard.out" 2>"$work/clipboard.log" &
    helper_pid=$!
    poll_for 10 grep -q ready "$work/clipboard.out" ||
        fail "the clipboard helper did not start: $(cat "$work/clipboard.log")" || return 1
    start_program "$program_dir" "$work/paste.log"
    open_first_exercise || return 1
    xdotool key ctrl+v
    expect_judged 15 || return 1
    xdotool key ctrl+a ctrl+c
    # The helper ends once the program has taken the clipboard.
    poll_for 10 helper_gone ||
        fail "the answer box gave nothing to copy" || return 1
    helper_pid=
    length=$(timeout 20 "$clipboard_helper" --length 2>>"$work/clipboard.log")
    ((length == 32767)) || fail "the answer box held $length characters, not 32767" || return 1
    back_to_menu && leave_program && no_error_reported "$work/paste.log"
}

start_xserver_or_exit 13

run_case "lista.txt of binary junk" binary_junk "$work/junk.log"
run_case "lista.txt linked, with a name of 1 MB" long_name "$work/huge-name.log"
run_case "lista.txt of 10 MiB of records" ten_mebibytes_of_records "$work/huge-list.log"
run_case "lista.txt is a folder" catalogue_is_a_folder "$work/folder.log"
run_case "lista.txt is a pipe" catalogue_not_a_file "$work/fifo.log" fifo "mkfifo lista.txt"
run_case "lista.txt links to /dev/zero" catalogue_not_a_file "$work/zero.log" zero \
    "ln -s /dev/zero lista.txt"
run_case "lista.txt without read permission" catalogue_unreadable "$work/unreadable.log"
run_case "no sounds" no_sounds "$work/no-sounds.log"
run_case "no pictures, every exercise" no_pictures "$work/no-pictures.log"
run_case "pictures claiming 30000 px a side" spoilt_pictures "$work/huge.log" huge huge
run_case "pictures cut short" spoilt_pictures "$work/cut.log" cut cut
run_case "pictures of junk after a good header" spoilt_pictures "$work/junk-pictures.log" \
    junk-pictures junk
run_case "no.wav of 6 MiB" oversized_sound "$work/big-sound.log"
run_case "32 KiB pasted into the answer" paste_32_kib "$work/paste.log"

echo "e2e: $passed passed, $failed failed, $skipped skipped"
((failed == 0))
