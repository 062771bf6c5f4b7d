#!/usr/bin/env bash
# Installs the program as a school's technician would and starts what was installed:
#   1. `cmake --install` into a prefix: the program folder, the launcher, the
#      desktop entry, the metainfo and the icons, which the validators accept;
#   2. the Debian package: its dependencies, the two catalogues and the record's
#      settings in /etc as conffiles;
#      Depends from dpkg-shlibdeps, the voice and PostgreSQL only recommended;
#      the distribution's hardening on every binary, every file dated from the
#      changelog; lintian --pedantic finds nothing but the two findings its
#      overrides explain, and `man mercanzola`, in Italian and in English,
#      shows every option of --help;
#   3. the package unpacked into a scratch root (dpkg -x): `--help` with no
#      display, then the launcher starting full screen on an X server, and the
#      whole walk of walk.sh on the installed program folder.
# Usage: package.sh BUILD_FOLDER. Exit 0 when all pass, 1 when one fails, 77 when
# no X server can be had.

set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?usage: package.sh BUILD_FOLDER}" && pwd) || exit 1
# shellcheck source=SCRIPTDIR/lib.sh
source "$here/lib.sh"

suite=package
work=$(mktemp -d "${TMPDIR:-/tmp}/mercanzola-package.XXXXXX") || exit 1
prefix="$work/prefix"
root="$work/root"

cleanup() {
    stop_program
    stop_xserver
    rm -rf "$work"
}
trap cleanup EXIT

icons_at() { # share folder
    local side size
    [[ -f $1/icons/hicolor/scalable/apps/mercanzola.svg ]] || fail "no scalable icon" || return 1
    for side in 48 64 128 256; do
        size=$(identify -format '%wx%h' "$1/icons/hicolor/${side}x$side/apps/mercanzola.png" 2>&1)
        [[ $size == "${side}x$side" ]] || fail "the $side px icon is '$size'" || return 1
    done
}

validate() { # share folder
    local desktop metainfo
    desktop=$(echo "$1"/applications/*.desktop)
    metainfo=$(echo "$1"/metainfo/*.metainfo.xml)
    [[ -f $desktop && -f $metainfo ]] || fail "no desktop entry or metainfo in $1" || return 1
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop" || return 1
    appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 || {
        sed 's/^/    /' "$work/appstream.log"
        fail "appstreamcli rejects $metainfo"
        return 1
    }
    grep -qx 'Categories=Education;Math;' "$desktop" || fail "categories" || return 1
    # The project's own: no placeholder a software centre would show; the
    # screenshots are docs/'s pictures, as the project's site serves them.
    ! grep -n 'example\.' "$desktop" "$metainfo" || fail "a placeholder" || return 1
    local shot shots=0
    for shot in $(sed -n 's|.*<image>\(.*\)</image>.*|\1|p' "$metainfo"); do
        [[ $shot == "${homepage}schermate/"*.png && -f $here/../../docs/${shot##*/} ]] ||
            fail "screenshot $shot is not a picture of docs/ on the site" || return 1
        shots=$((shots + 1))
    done
    ((shots >= 3)) || fail "$shots screenshots in the metainfo" || return 1
    # English for the software centre, Italian where the desktop speaks it.
    grep -q '^Name\[it\]=' "$desktop" && grep -q '^Comment\[it\]=' "$desktop" &&
        grep -q '<summary xml:lang="it">' "$metainfo" &&
        grep -q '<control>touch</control>' "$metainfo" ||
        fail "no Italian names or no touch support declared" || return 1
    grep -q "<url type=\"homepage\">$homepage</url>" "$metainfo" &&
        grep -q '<developer_name>.' "$metainfo" ||
        fail "the metainfo lacks the homepage $homepage or the developer" || return 1
}

prefix_install() {
    cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
        fail "cmake --install failed: $(tail -n 3 "$work/install.log")" || return 1
    local folder="$prefix/lib/mercanzola"
    [[ -x $folder/mercanzola && -d $folder/suoni && -d $folder/immagini &&
        -f $folder/plugins/libmercanzola_sound.so ]] ||
        fail "no program folder under lib/mercanzola" || return 1
    # Outside /usr the catalogue stays in the program folder, a plain file.
    [[ -f $folder/lista.txt && ! -L $folder/lista.txt ]] ||
        fail "lista.txt is not a file in the program folder" || return 1
    [[ $(readlink -f "$prefix/bin/mercanzola") == "$(readlink -f "$folder/mercanzola")" ]] ||
        fail "bin/mercanzola does not lead to the program" || return 1
    icons_at "$prefix/share" && validate "$prefix/share"
}

package_contents() {
    cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
        fail "cpack failed: $(tail -n 3 "$work/cpack.log")" || return 1
    deb=$(echo "$work"/deb/mercanzola_*.deb)
    [[ -f $deb ]] || fail "no .deb made" || return 1
    local depends recommends suggests package libc
    depends=$(dpkg-deb -f "$deb" Depends)
    recommends=$(dpkg-deb -f "$deb" Recommends)
    for package in libqt6widgets6 libqt6svg6 libasound2 qt6-qpa-plugins fonts-liberation2 \
        libqt6sql6-sqlite; do
        listed "$depends" "$package" || fail "Depends lacks $package" || return 1
    done
    # Five short sounds go through ALSA: no media framework comes with them.
    ! grep -qiE 'multimedia|gstreamer|libav|ffmpeg' <<<"$depends, $recommends" ||
        fail "a media framework among the dependencies: $depends" || return 1
    # Reading aloud is a choice: a pupil's PC goes without; the record on a
    # lab's server is the technician's to install.
    for package in libspeechd2 speech-dispatcher \
        speech-dispatcher-espeak-ng; do
        ! listed "$depends" "$package" && listed "$recommends" "$package" ||
            fail "$package is not only recommended" || return 1
    done
    suggests=$(dpkg-deb -f "$deb" Suggests)
    listed "$suggests" libqt6sql6-psql && ! listed "$depends, $recommends" libqt6sql6-psql ||
        fail "libqt6sql6-psql is not only suggested" || return 1
    local named
    read -ra named <<<"$(sed 's/([^)]*)//g; s/,/ /g' <<<"$depends, $recommends, $suggests")"
    for package in "${named[@]}"; do
        dpkg-query -W "$package" >/dev/null 2>&1 || fail "$package is not a Debian package here" ||
            return 1
    done
    # The C library as new as the program needs, as dpkg-shlibdeps says.
    libc=$(cd "$here/../.." && dpkg-shlibdeps -O "$build/mercanzola" 2>/dev/null |
        grep -o 'libc6 ([^)]*)')
    [[ -n $libc && $depends == *"$libc"* ]] || fail "Depends has not $libc" || return 1
    [[ $(dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles) == \
        $'/etc/mercanzola/lista.txt\n/etc/mercanzola/lista-euro.txt\n/etc/mercanzola/registro.conf' ]] ||
        fail "the two catalogues and registro.conf are not conffiles" || return 1

    dpkg -x "$deb" "$root" || fail "dpkg -x failed" || return 1
    local name
    for name in lista.txt lista-euro.txt; do
        [[ $(readlink "$root/usr/lib/mercanzola/$name") == "/etc/mercanzola/$name" ]] ||
            fail "the program folder's $name does not lead to /etc/mercanzola" || return 1
        # In the scratch root, /etc is $root/etc: the links lead there as they
        # would on the installed system.
        ln -sfn "$root/etc/mercanzola/$name" "$root/usr/lib/mercanzola/$name"
    done
    icons_at "$root/usr/share" && validate "$root/usr/share"
}

listed() { # field, package
    [[ $1 =~ (^|, )$2( |,|$) ]]
}

# The distribution's hardening on the program, its helper and each plugin; every file
# dated from the changelog's newest entry (debian_build.sh, in .ci/run, builds
# in two folders and compares).
# A plugin whose copies all go into the heap calls memmove and memcpy where no
# size is known at build time, so even fortified they stay plain calls, which
# hardening-check takes for a build without fortify: everything else is held.
only_heap_copies() {
    local unprotected
    [[ $1 == *.so ]] || return 1
    hardening-check --nofortify "$1" >/dev/null || return 1
    unprotected=$(hardening-check --verbose "$1" | sed -n 's/^\tunprotected: //p')
    [[ -n $unprotected ]] && ! grep -qvxE 'mem(move|cpy|set)' <<<"$unprotected"
}

hardened_and_dated() {
    local elf report epoch
    ((${MERCANZOLA_HARDENED:-1})) || echo "  (a build without hardening: not looked for)"
    ((${MERCANZOLA_HARDENED:-1})) &&
        for elf in "$root"/usr/lib/mercanzola/{mercanzola,mercanzola-consegna} \
            "$root"/usr/lib/mercanzola/plugins/*.so; do
            report=$(hardening-check "$elf") || only_heap_copies "$elf" ||
                fail "hardening-check: $report" || return 1
        done
    # Where no frame is large enough to need a stack clash probe,
    # hardening-check finds none and says "unknown": the compiler's own record
    # of its flags says they were asked for.
    ((${MERCANZOLA_HARDENED:-1})) && {
        readelf --debug-dump=info "$build/mercanzola" | grep -m1 DW_AT_producer |
            grep -q -- -fstack-clash-protection || fail "built without stack clash probes" || return 1
    }
    epoch=$(cd "$here/../.." && dpkg-parsechangelog -STimestamp)
    ! dpkg-deb --fsys-tarfile "$deb" | TZ=UTC tar -tv --full-time |
        grep -qv " $(date -u -d "@$epoch" '+%F %T') " ||
        fail "files not dated from the changelog" || return 1
}

installed_help() {
    local output
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/mercanzola" --help 2>&1) ||
        fail "--help ended with an error: $output" || return 1
    [[ $output == *"--schermo-intero"*"Opzioni"* || $output == *"Opzioni"*"--schermo-intero"* ]] ||
        fail "--help does not list the options in Italian: $output" || return 1
    # A catalogue the teacher broke is named where she edits it, in /etc, not
    # by the program folder's link to it.
    local catalogue=$root/etc/mercanzola/lista.txt
    cp "$catalogue" "$work/lista.txt"
    echo '"matita rossa,250,400' >>"$catalogue"
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/mercanzola" --scheda \
        "$work/scheda.pdf" 2>&1)
    cp "$work/lista.txt" "$catalogue"
    [[ $output == *"$catalogue"* && $output != *"/usr/lib/mercanzola/lista.txt"* ]] ||
        fail "a broken catalogue is not named as $catalogue: $output" || return 1
}

# A sanitizer or Debug build goes without the hardening lintian looks for.
lintian_expected='^$'
((${MERCANZOLA_HARDENED:-1})) || lintian_expected+='|^I: mercanzola: hardening-no-'

# Debian's checker, pedantic, finds nothing but the two findings the package
# overrides with their reasons (the lire catalogue in Windows-1252, the money
# pictures in the program folder), each override used; the manual pages, in
# Italian and in English, read with `man` and list every option --help lists.
debian_checks() {
    local findings language heading page options labels label
    findings=$(lintian --pedantic --display-info --show-overrides "$deb" 2>/dev/null |
        grep -v '^N: ' | grep -vE "$lintian_expected")
    [[ $(sed -n 's/^O: mercanzola: \([^ ]*\) .*/\1/p' <<<"$findings" | sort -u | xargs) == \
        "image-file-in-usr-lib national-encoding" ]] ||
        fail "lintian's overrides are not the two meant: $findings" || return 1
    findings=$(grep -v '^O: ' <<<"$findings")
    [[ -z $findings ]] || fail "lintian: $findings" || return 1
    labels=$("$root/usr/bin/mercanzola" --help | sed -n 's/^  \(-[^ ].*[^ ]\)  .*/\1/p' |
        sed 's/  .*//')
    [[ -n $labels ]] || fail "--help lists no options" || return 1
    for language in it en; do
        heading=OPZIONI
        [[ $language == en ]] && heading=OPTIONS
        page=$(LC_ALL=C.UTF-8 MANWIDTH=200 MANPATH="$root/usr/share/man" man -L "$language" \
            --warnings -P cat mercanzola 2>"$work/man.log") ||
            fail "man -L $language mercanzola: $(cat "$work/man.log")" || return 1
        [[ ! -s $work/man.log ]] || fail "man -L $language mercanzola warns: $(cat "$work/man.log")" ||
            return 1
        case $language in
        it) [[ $page == *"STATO DI USCITA"*"F11"* || $page == *"F11"*"STATO DI USCITA"* ]] ;;
        en) [[ $page == *"EXIT STATUS"* && $page == *"buying and selling"* ]] ;;
        esac || fail "the $language manual page lacks its sections" || return 1
        options=$(sed -n "/^$heading\$/,/^[^ ]/p" <<<"$page")
        while read -r label; do
            grep -qE -e "^ +$label( |\$)" <<<"$options" ||
                fail "the $language manual page's options lack $label" || return 1
        done <<<"$labels"
    done
}

# Through the launcher, from its own folder where no data lies: the program
# finds its folder from its executable.
installed_full_screen() {
    program_args=(--schermo-intero)
    start_program "$root/usr/bin" "$work/installed.log"
    program_args=()
    expect "${xserver_screen%x*}" "${xserver_screen%x*}" "full-screen start screen" 15 || return 1
    xdotool key Return
    expect "${xserver_screen%x*}" "${xserver_screen%x*}" "full-screen menu" || return 1
    stop_program
}

homepage=$(sed -n 's/^Homepage: //p' "$here/../../debian/control")
for tool in cpack dpkg-deb desktop-file-validate appstreamcli identify lintian man hardening-check; do
    if ! command -v "$tool" >/dev/null; then
        echo "package: $tool is needed: run scripts/setup.sh"
        echo "package: 0 passed, 1 failed"
        exit 1
    fi
done

run_case "cmake --install into a prefix" prefix_install "$work/install.log"
run_case "the Debian package" package_contents "$work/cpack.log"
if [[ ! -x $root/usr/bin/mercanzola ]]; then
    echo "package: $passed passed, $((failed + 1)) failed"
    exit 1
fi
run_case "hardened, dated from the changelog" hardened_and_dated /dev/null
run_case "installed: --help and a broken catalogue, without a display" installed_help /dev/null
run_case "lintian and the manual page" debian_checks "$work/man.log"

start_xserver
status=$?
if ((status == 77)); then
    echo "package: SKIPPED the installed program's start: no X server can be had (install Xvfb)"
    echo "package: $passed passed, $failed failed"
    exit $((failed == 0 ? 77 : 1))
elif ((status != 0)); then
    echo "package: $passed passed, $((failed + 1)) failed"
    exit 1
fi
run_case "installed: full screen from the launcher" installed_full_screen "$work/installed.log"
stop_xserver
echo "package: walking the installed program folder"
bash "$here/walk.sh" "$root/usr/lib/mercanzola" >"$work/walk.out" 2>&1
walked=$?
sed 's/^/  /' "$work/walk.out"
if ((walked == 0)); then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi

echo "package: $passed passed, $failed failed"
((failed == 0))
