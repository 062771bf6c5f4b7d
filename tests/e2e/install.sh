#!/usr/bin/env bash
# The package's life on a school PC, in a throwaway root: /etc, /usr, /var and
# /run under overlays in a mount namespace of the test's own, so that the machine
# running it is untouched. On a PC without the speech stack and the PostgreSQL
# driver (removed from the throwaway root):
#   1. apt installs the package with --no-install-recommends; the program
#      starts, groups with its launcher, and without a voice says so in one
#      line and goes on;
#   2. the teacher edits /etc/mercanzola/lista.txt; a newer build, whose own
#      catalogue changed too, is installed with no terminal and the README's
#      option: the package ends configured and the edit is kept;
#   3. remove keeps the catalogues and the record; purge leaves only the
#      teacher's own files in /etc and the record that holds answers.
# Usage: install.sh BUILD_FOLDER. Needs root (the namespace and dpkg). Exit 0
# when all pass, 1 when one fails, 77 when it cannot run here.

# shellcheck disable=SC2317 # the cases are called through run_case
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/lib.sh
source "$here/lib.sh"
suite=install
passed=0
failed=0
skipped=0

# What a lab PC may lack: the package recommends them.
optional_packages=(libspeechd2 speech-dispatcher
    speech-dispatcher-espeak-ng libqt6sql6-psql)
# What a lab's unattended upgrade runs with (see the README).
lab_options=(-o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)
teacher_line='"pennarelli della maestra",1500,2500'
folder=/var/lib/mercanzola
record=$folder/registro.sqlite
helper=/usr/lib/mercanzola/mercanzola-consegna

# apt-get with no terminal, as a lab's remote upgrade runs it.
quiet_apt() { # apt-get arguments...
    DEBIAN_FRONTEND=noninteractive setsid apt-get -y -q "$@" </dev/null >>"$work/apt.log" 2>&1 ||
        fail "apt-get $*: $(tail -n 5 "$work/apt.log")"
}

installed_version() {
    dpkg-query -W -f='${Status} ${Version}' mercanzola 2>/dev/null
}

# Inside the namespace: the overlays, then the cases.
inside() { # work folder, older .deb, newer .deb
    work=$1
    local old=$2 new=$3 dir
    trap 'stop_program; stop_xserver' EXIT
    for dir in etc usr var run; do
        mkdir -p "$work/upper/$dir" "$work/ovwork/$dir"
        mount -t overlay overlay \
            -o "lowerdir=/$dir,upperdir=$work/upper/$dir,workdir=$work/ovwork/$dir" "/$dir" ||
            { echo "install: no overlay on /$dir"; exit 77; }
    done
    # No service of the machine is started or stopped from here, and the
    # manual page index is left alone.
    printf '#!/bin/sh\nexit 101\n' >/usr/sbin/policy-rc.d
    chmod +x /usr/sbin/policy-rc.d
    rm -f /var/lib/man-db/auto-update

    run_case "installed without what it recommends" fresh_install "$work/apt.log" "$old"
    run_case "started: its launcher's window, and no voice in one line" started_bare \
        "$work/program.log"
    run_case "a pupil's account only adds to the PC's record, a teacher's reads it" \
        pupil_and_teacher "$work/pupil.log"
    run_case "upgraded with no terminal: configured, the teacher's catalogue kept" upgrade \
        "$work/apt.log" "$new"
    run_case "removed, then purged: the teacher's own files kept" remove_and_purge "$work/apt.log"
    echo "install: $passed passed, $failed failed"
    ((failed == 0))
}

fresh_install() { # .deb
    local package present=()
    for package in "${optional_packages[@]}"; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q ' installed$' &&
            present+=("$package")
    done
    ((${#present[@]} == 0)) || quiet_apt purge "${present[@]}" || return 1
    quiet_apt install --no-install-recommends "$1" || return 1
    [[ $(installed_version) == "install ok installed "* ]] ||
        fail "not installed: $(installed_version)" || return 1
    for package in "${optional_packages[@]}"; do
        ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q ' installed$' ||
            fail "$package came with it" || return 1
    done
    # The PC's shared record, switched on before any answer reached it: the
    # record's group's alone; read by root, an empty summary, not a broken
    # record; a pupil's account is told who may read it.
    local summary modes
    modes=$(stat -c '%U:%G %a %n' "$folder" "$record" "$helper")
    [[ $modes == "root:mercanzola 2770 $folder"$'\n'"root:mercanzola 660 $record"$'\n'"root:mercanzola 2755 $helper" ]] ||
        fail "the shared record's modes: $modes" || return 1
    summary=$(cd / && mercanzola --registro "$record" --riepilogo 2>&1) ||
        fail "the fresh shared record's summary: $summary" || return 1
    if summary=$(cd / && runuser -u nobody -- mercanzola --registro "$record" --riepilogo 2>&1); then
        fail "a pupil's account read the summary: $summary"
        return 1
    fi
    [[ $summary == *"questo account (nobody) non può leggere né cambiare il registro $record"*"gli account del gruppo mercanzola"* ]] ||
        fail "a pupil's account is not told who may read it: $summary"
}

# A pupil's account adds its answers and can do nothing else to the record;
# a teacher's account (in the group mercanzola) reads it and deletes.
pupil_and_teacher() {
    local home=$work/alunno out
    start_xserver || return 1
    chmod 755 "$work" && mkdir -p "$home/run" && chown -R nobody "$home" && chmod 700 "$home/run"
    cp "$XAUTHORITY" "$work/xauth" && chmod 644 "$work/xauth"
    echo "Anna Rossi" >/etc/mercanzola/classe.txt
    sed -i 's|^# registro = /var/lib/mercanzola/registro.sqlite$|registro = /var/lib/mercanzola/registro.sqlite|' \
        /etc/mercanzola/registro.conf
    program_runner=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    program_env=(HOME="$home" XDG_RUNTIME_DIR="$home/run" XAUTHORITY="$work/xauth")
    start_program /usr/bin "$work/pupil.log"
    program_runner=() program_env=()
    expect "$Start" "$Start" "start screen of a pupil's account" 20 || return 1
    local start_window
    start_window=$(window_ids "$Start")
    xdotool key Return
    poll_for 15 window_gone "$start_window" || fail "the start screen stays" || return 1
    expect "$Start" "$Start" "the names" 15 && xdotool key Return &&
        expect "$Menu" "$Menu" "the menu" 15 && xdotool key Tab Return &&
        expect "$Exercise" "$Exercise" "the first exercise" 15 &&
        xdotool type --delay 30 $'99999999\r' || return 1
    poll_for 15 answers_are 1 || fail "the pupil's answer is not in the record: $(answers)" ||
        return 1
    back_to_menu && leave_program || return 1
    stop_xserver
    # The pupil's account neither reads nor changes the record, nor deletes from it.
    local statement
    for statement in 'SELECT count(*) FROM risposte' 'UPDATE risposte SET esatta = 1' \
        'DELETE FROM risposte'; do
        if out=$(as_pupil sqlite3 "$record" "$statement" 2>&1); then
            fail "sqlite3 as a pupil ran $statement: $out"
            return 1
        fi
    done
    if out=$(as_pupil mercanzola --cancella-alunno "Anna Rossi" 2>&1); then
        fail "--cancella-alunno ran as a pupil: $out"
        return 1
    fi
    [[ $out == *"gli account del gruppo mercanzola"* ]] ||
        fail "--cancella-alunno refused without saying who may: $out" || return 1
    # Nor through the helper, whatever the environment: the answer already
    # there, sent again as right, stays wrong.
    local id
    id=$(sqlite3 "$record" 'SELECT id FROM risposte')
    out=$(printf '%s\t2026-01-01T08:00:00.000+01:00\t2026-01-01\tAnna Rossi\tpc\tes\tp\t1\t1\t1\t1\t\t\n' "$id" |
        as_pupil env TMPDIR=/nonexistent SQLITE_TMPDIR=/nonexistent LD_LIBRARY_PATH=/nonexistent \
            "$helper" 2>&1)
    [[ $out == ok && $(sqlite3 "$record" 'SELECT esatta FROM risposte') == 0 ]] ||
        fail "the helper changed an answer, or said: $out" || return 1
    answers_are 1 || fail "answers after the pupil's tries: $(answers)" || return 1
    # A teacher's account reads the summary and may delete.
    local teacher=(setpriv --reuid=65533 --regid=65533 "--groups=$(getent group mercanzola | cut -d: -f3)")
    out=$(cd / && "${teacher[@]}" mercanzola --riepilogo 2>&1) &&
        [[ $out =~ Anna\ Rossi\ +trova\ il\ costo\ totale\ +1\ +0\ +1\  ]] ||
        fail "the teacher's summary: $out" || return 1
    local mode
    mode=$(stat -c '%U:%G %a' "$record-journal")
    [[ $mode == *":mercanzola 660" ]] || fail "the record's journal: $mode"
}

answers() { sqlite3 "$record" "SELECT count(*) FROM risposte WHERE alunno = 'Anna Rossi'" 2>&1; }
answers_are() { [[ $(answers) == "$1" ]]; }
as_pupil() { (cd / && setpriv --reuid=65534 --regid=65534 --clear-groups "$@"); }

# The installed launcher with reading aloud asked: the start screen, one line
# on the voice, the menu after Enter. The window's class is the desktop
# entry's StartupWMClass, its desktop file name the entry's.
started_bare() {
    local entry class wm_class lines
    start_xserver || return 1
    program_args=(--leggi)
    start_program /usr/bin "$work/program.log"
    program_args=()
    expect "$Start" "$Start" "start screen" 20 || return 1
    entry=$(dpkg -L mercanzola | grep "^/usr/share/applications/.*\.desktop$")
    class=$(sed -n 's/^StartupWMClass=//p' "$entry")
    [[ -n $class ]] || fail "no StartupWMClass in $entry" || return 1
    wm_class=$(xprop -id "$(window_ids "$Start" | head -n 1)" WM_CLASS)
    [[ $wm_class == *", \"$class\"" ]] ||
        fail "the window's $wm_class is not StartupWMClass=$class" || return 1
    xdotool key Return
    expect "$Menu" "$Menu" "menu after Enter, without a voice" || return 1
    stop_program
    stop_xserver
    lines=$(grep -c . "$work/program.log")
    ((lines == 1)) && grep -q '^la mercanzola: niente lettura ad alta voce: ' "$work/program.log" ||
        fail "not one line on the missing voice" || return 1
    # The technician reads what to install, not the dynamic loader's words.
    grep -q "sudo apt install ${optional_packages[*]:0:3}\$" "$work/program.log" ||
        fail "the line does not name the packages to install: $(cat "$work/program.log")" ||
        return 1
}

upgrade() { # newer .deb
    echo "$teacher_line" >>/etc/mercanzola/lista.txt
    # The older open layout, as a pupil's account may have left it: the
    # journal its own, and a link to a file of root's planted beside the record.
    chown root:root "$folder" "$record" && chmod 1777 "$folder" && chmod 0666 "$record" &&
        chown nobody:nogroup "$record-journal" && chmod 0644 "$record-journal" &&
        ln -s /etc/mercanzola/lista.txt "$folder/registro.sqlite-wal" || return 1
    quiet_apt install --no-install-recommends "${lab_options[@]}" "$1" ||
        return 1
    [[ $(installed_version) == "install ok installed $(dpkg-deb -f "$1" Version)" ]] ||
        fail "after the upgrade: $(installed_version)" || return 1
    [[ $(tail -n 1 /etc/mercanzola/lista.txt) == "$teacher_line" ]] ||
        fail "the teacher's edit is lost" || return 1
    [[ -f /etc/mercanzola/lista.txt.dpkg-dist ]] ||
        fail "the new build's catalogue is not beside it as lista.txt.dpkg-dist" || return 1
    mercanzola --controlla /etc/mercanzola/lista.txt >/dev/null ||
        fail "the kept catalogue does not read" || return 1
    # Closed again, the answers kept, the planted link gone and what it named untouched.
    local modes
    modes=$(stat -c '%U:%G %a %n' "$folder" "$record" "$record-journal" /etc/mercanzola/lista.txt)
    [[ $modes == "root:mercanzola 2770 $folder"$'\n'"root:mercanzola 660 $record"$'\n'"root:mercanzola 660 $record-journal"$'\n'"root:root 644 /etc/mercanzola/lista.txt" ]] ||
        fail "after an upgrade from the open layout: $modes" || return 1
    [[ ! -L $folder/registro.sqlite-wal ]] || fail "the planted link stays" || return 1
    answers_are 1 || fail "answers after the upgrade: $(answers)"
}

# The teacher's own files: a class list and a sound in /etc/mercanzola, and
# answers in the PC's shared record.
remove_and_purge() {
    echo "Anna Rossi" >/etc/mercanzola/classe.txt
    mkdir -p /etc/mercanzola/suoni
    cp /usr/lib/mercanzola/suoni/si1.wav /etc/mercanzola/suoni/no.wav
    echo "risposte" >>/var/lib/mercanzola/registro.sqlite
    quiet_apt remove mercanzola || return 1
    [[ ! -e /usr/bin/mercanzola && ! -e /usr/lib/mercanzola ]] ||
        fail "the program is left after remove" || return 1
    grep -qxF "$teacher_line" /etc/mercanzola/lista.txt ||
        fail "remove took the teacher's catalogue" || return 1
    [[ -s /var/lib/mercanzola/registro.sqlite ]] || fail "remove took the record" || return 1
    quiet_apt purge mercanzola || return 1
    # What the README says purge keeps, and nothing else.
    local left
    left=$(cd "$work/upper" && find . -path '*mercanzola*' -not -path './var/log/*' -type f |
        sed 's/[0-9]\{8\}-[0-9]\{6\}/DATA/' | sort)
    [[ $left == $'./etc/mercanzola/classe.txt\n./etc/mercanzola/suoni/no.wav\n./var/lib/mercanzola/registro-DATA.sqlite' ]] ||
        fail "left after purge: $left" || return 1
    grep -q "^mercanzola: il registro delle risposte resta in /var/lib/mercanzola/registro-" \
        "$work/apt.log" && grep -q "^mercanzola: restano i file aggiunti dalla scuola in" \
        "$work/apt.log" || fail "purge does not say what it keeps" || return 1
    [[ -z $(installed_version) ]] || fail "dpkg still knows it: $(installed_version)" ||
        return 1
}

# The newer build: the same package at a higher version, whose shipped
# catalogue has one more article, so the teacher's edit meets a change.
newer_build() { # .deb, folder, newer .deb
    local tree=$2/tree
    dpkg-deb -R "$1" "$tree" || return 1
    sed -i 's/^Version: .*/&+prova1/' "$tree/DEBIAN/control"
    echo '"colla stick",600,900' >>"$tree/etc/mercanzola/lista.txt"
    (cd "$tree" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | sort -z |
        xargs -0 md5sum >DEBIAN/md5sums) || return 1
    dpkg-deb --root-owner-group -b "$tree" "$3" >/dev/null
}

if [[ ${1:-} == --inside ]]; then
    inside "$2" "$3" "$4"
    exit
fi

build=$(cd "${1:?usage: install.sh BUILD_FOLDER}" && pwd) || exit 1
if (($(id -u) != 0)) || ! command -v unshare >/dev/null || ! command -v apt-get >/dev/null; then
    echo "install: SKIPPED: installing a package in a throwaway root needs root, unshare and apt"
    exit 77
fi
for tool in cpack Xvfb xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "install: $tool is needed: run scripts/setup.sh"; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/mercanzola-install.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
old=$(echo "$work"/deb/mercanzola_*.deb)
newer_build "$old" "$work" "$work/newer.deb" || { echo "install: no newer build"; exit 1; }

# What the throwaway root installs, changes and purges, as the machine has it.
machine() {
    dpkg-query -W -f='${Package} ${Status} ${Version}\n' mercanzola "${optional_packages[@]}" 2>&1
    ls -ld /etc/mercanzola /usr/lib/mercanzola /usr/bin/mercanzola /usr/sbin/policy-rc.d 2>&1
}
before=$(machine)
unshare --mount --propagation private bash "$0" --inside "$work" "$old" "$work/newer.deb"
status=$?
after=$(machine)
if [[ $before != "$after" ]]; then
    echo "install: FAIL: the machine running the test changed:"
    diff <(echo "$before") <(echo "$after")
    status=1
fi
exit $status
