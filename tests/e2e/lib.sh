# shellcheck shell=bash
# Running the real program on an X server of our own, and watching its windows.
# Shared by the end-to-end walk and scripts/screenshots.sh. Source it; then
# start_xserver, start_program, expect ...; stop_program and stop_xserver end
# what was started.
#
# start_xserver exports DISPLAY and XAUTHORITY and returns 0, or returns 77 when
# no X server can be had: no Xvfb, and no reachable display to borrow.
# start_a11y_bus (under dbus-run-session) lets atspi_read read the program as a
# screen reader does; stop_a11y_bus ends it.

xserver_pid=
xserver_dir=
a11y_launcher_pid=
e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The display's size and depth; a caller may set another before start_xserver.
xserver_screen=${xserver_screen:-1280x1024x24}
program_pid=
program_status=

# The program's screens by their size: client areas in twips, at 15 twips a pixel.
# shellcheck disable=SC2034 # read by the scripts that source this file
{
    Start='845x541'    # 12,675 x 8,115 twips, no menu bar
    Menu='640x480'     # 9,600 x 7,200 twips
    Exercise='721x6..' # 10,815 x 9,030 twips and the menu bar above
}

# One factor stretches every wait of a walk on a busy machine: the last
# minute's load average over the cores, from 1 to 5, read once as the walk
# starts. A wait that runs out is then a fault, never a skip.
load_factor=$(LC_ALL=C awk -v cores="$(nproc 2>/dev/null || echo 1)" \
    '{ f = $1 / cores; if (f < 1) f = 1; if (f > 5) f = 5; printf "%.2f", f }' /proc/loadavg) ||
    load_factor=1
export MERCANZOLA_LOAD_FACTOR=${load_factor:-1}

# $1 seconds stretched by the load factor, rounded up to whole seconds.
scaled() {
    LC_ALL=C awk -v s="$1" -v f="$MERCANZOLA_LOAD_FACTOR" \
        'BEGIN { t = s * f; printf "%d", t == int(t) ? t : int(t) + 1 }'
}

# Polls until the command succeeds, for at most $1 seconds (scaled).
poll_for() {
    local limit
    limit=$(scaled "$1")
    shift
    local deadline=$((SECONDS + limit))
    until "$@"; do
        ((SECONDS >= deadline)) && return 1
        sleep 0.1
    done
}

start_xserver() {
    xserver_dir=$(mktemp -d "${TMPDIR:-/tmp}/mercanzola-x.XXXXXX") || return 1
    mkdir -m 700 "$xserver_dir/run"
    # Quiets Qt's warning about a missing runtime folder.
    export XDG_RUNTIME_DIR="$xserver_dir/run"

    if ! command -v Xvfb >/dev/null; then
        if [[ -n ${DISPLAY:-} ]] && command -v xdpyinfo >/dev/null && xdpyinfo >/dev/null 2>&1; then
            echo "note: no Xvfb; borrowing the running X server at $DISPLAY"
            return 0
        fi
        echo "no Xvfb and no reachable X server"
        return 77
    fi

    local auth_args=() auth="$xserver_dir/Xauthority" cookie=
    if command -v xauth >/dev/null; then
        cookie=$(mcookie 2>/dev/null || od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
        # The server accepts every cookie in its file, whatever display it is filed
        # under; the client's entry follows once the display number is known.
        : >"$auth"
        xauth -q -f "$auth" add :0 . "$cookie" || return 1
        auth_args=(-auth "$auth")
    fi

    local number_file="$xserver_dir/display"
    : >"$number_file"
    # -displayfd picks a free display number and writes it once the server is ready;
    # -noreset keeps it taking connections while one program ends and the next starts.
    Xvfb -displayfd 3 -screen 0 "$xserver_screen" -nolisten tcp -noreset "${auth_args[@]}" \
        3>"$number_file" >"$xserver_dir/xvfb.log" 2>&1 &
    xserver_pid=$!
    if ! poll_for 15 grep -q '^[0-9][0-9]*$' "$number_file"; then
        echo "Xvfb did not start:"
        sed 's/^/  /' "$xserver_dir/xvfb.log"
        return 1
    fi
    DISPLAY=":$(cat "$number_file")"
    export DISPLAY
    unset WAYLAND_DISPLAY
    if [[ -n $cookie ]]; then
        export XAUTHORITY="$auth"
        xauth -q add "$DISPLAY" . "$cookie" || return 1
    fi
    return 0
}

# Ends a process this shell started, if any.
end_started() { # pid or nothing
    [[ -n $1 ]] || return 0
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

stop_xserver() {
    end_started "$xserver_pid"
    xserver_pid=
    [[ -n $xserver_dir ]] && rm -rf "$xserver_dir"
    xserver_dir=
}

fail() {
    echo "  FAIL: $*"
    return 1
}

# The accessibility bus lives on the session bus: run the test under
# dbus-run-session so that both are the test's own. Prints what is missing and
# returns 1 when the bus cannot be had.
a11y_launcher() {
    local path
    for path in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
        [[ -x $path ]] && { echo "$path"; return 0; }
    done
    return 1
}

a11y_bus_named() { # [session bus]
    DBUS_SESSION_BUS_ADDRESS=${1:-$DBUS_SESSION_BUS_ADDRESS} dbus-send --session --print-reply \
        --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
}

# Runs the calling script again under a session bus of its own, for the
# accessibility bus: none of the desktop's, and nothing left behind.
own_session_bus() {
    if [[ -z ${MERCANZOLA_E2E_BUS:-} ]] && command -v dbus-run-session >/dev/null; then
        MERCANZOLA_E2E_BUS=1 exec dbus-run-session -- bash "$0" "$@"
    fi
}

# A walk's folders: the program folder it was given (program_dir) and a
# temporary one of its own (work).
walk_folders() { # name, program folder
    # shellcheck disable=SC2034 # read by the walk
    program_dir=$(cd "${2:?usage: $(basename "$0") PROGRAM_FOLDER}" && pwd) || exit 1
    work=$(mktemp -d "${TMPDIR:-/tmp}/mercanzola-$1.XXXXXX") || exit 1
}

# What a walk stops at its exit, whatever happened: set as its EXIT trap, after
# what the walk started of its own.
end_walk() {
    stop_program
    stop_a11y_bus
    stop_xserver
    rm -rf "$work"
}

# What both ways of starting the accessibility bus need.
start_a11y_bus_tools() {
    if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} ]] || ! command -v dbus-send >/dev/null; then
        echo "no session bus of the test's own (package dbus; run under dbus-run-session)"
        return 1
    fi
    a11y_launcher >/dev/null || {
        echo "no at-spi-bus-launcher (package at-spi2-core)"
        return 1
    }
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || {
        echo "no screen-reader library for /usr/bin/python3 (package python3-pyatspi)"
        return 1
    }
}

start_a11y_bus() {
    local launcher
    start_a11y_bus_tools || return 1
    launcher=$(a11y_launcher)
    "$launcher" --launch-immediately >"$xserver_dir/a11y.log" 2>&1 &
    a11y_launcher_pid=$!
    # Asking the launcher for the address before it owns its name would start a
    # second one through the session bus.
    if ! poll_for 10 a11y_bus_named ||
        ! dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null 2>&1; then
        echo "the accessibility bus did not start:"
        sed 's/^/  /' "$xserver_dir/a11y.log"
        return 1
    fi
}

# How a11y_bus_or_exit starts the bus: a walk may put a stand-in in front.
a11y_bus_start=(start_a11y_bus)
# The accessibility bus started, or the walk ended as failed: a walk that
# reads the program as a screen reader does cannot pass without it. $1 names
# the walk; $2, if given, is the line of its cases that then fail.
a11y_bus_or_exit() { # walk [failed cases]
    local why=$xserver_dir/bus.txt
    if [[ -z ${MERCANZOLA_E2E_BUS:-} ]]; then
        echo "no dbus-run-session (package dbus)" >"$why"
    elif "${a11y_bus_start[@]}" >"$why"; then
        return 0
    fi
    echo "$1: no accessibility bus: $(cat "$why")"
    [[ -z ${2:-} ]] || echo "$2"
    exit 1
}

stop_a11y_bus() {
    end_started "$a11y_stand_in_pid"
    end_started "$a11y_launcher_pid"
    end_started "$a11y_private_bus_pid"
    a11y_stand_in_pid='' a11y_launcher_pid='' a11y_private_bus_pid=''
}

# The real accessibility bus behind a stand-in for its launcher's name on the
# test's session bus (late_a11y_bus.py), which holds every GetAddress while the
# file $1 exists: a bus that answers late. The launcher runs on a session bus
# of its own and without the display, so that its address is found nowhere
# else (not on the X root window). Needs python3-dbus.
a11y_stand_in_pid=
a11y_private_bus_pid=
start_a11y_bus_behind_stand_in() { # hold file
    local launcher private address
    start_a11y_bus_tools || return 1
    launcher=$(a11y_launcher)
    /usr/bin/python3 -c 'import dbus' 2>/dev/null ||
        { echo "no D-Bus library for /usr/bin/python3 (package python3-dbus)" && return 1; }
    env -u DISPLAY dbus-daemon --session --nofork --print-address=3 \
        3>"$xserver_dir/private.bus" >/dev/null 2>&1 &
    a11y_private_bus_pid=$!
    poll_for 10 test -s "$xserver_dir/private.bus" || { echo "no private session bus" && return 1; }
    private=$(head -n 1 "$xserver_dir/private.bus")
    DBUS_SESSION_BUS_ADDRESS=$private env -u DISPLAY "$launcher" --launch-immediately \
        >"$xserver_dir/a11y.log" 2>&1 &
    a11y_launcher_pid=$!
    # Asked before the launcher owns its name, the bus would start another.
    if ! poll_for 10 a11y_bus_named "$private" || ! private_a11y_address "$private" >/dev/null; then
        echo "the accessibility bus did not start:"
        sed 's/^/  /' "$xserver_dir/a11y.log"
        return 1
    fi
    address=$(private_a11y_address "$private")
    /usr/bin/python3 "$e2e_dir/late_a11y_bus.py" "$address" "$1" >"$xserver_dir/stand-in.log" 2>&1 &
    a11y_stand_in_pid=$!
    poll_for 10 grep -q ready "$xserver_dir/stand-in.log" ||
        { echo "the stand-in bus did not start:" && cat "$xserver_dir/stand-in.log" && return 1; }
}

private_a11y_address() { # session bus
    DBUS_SESSION_BUS_ADDRESS=$1 dbus-send --session --print-reply=literal --dest=org.a11y.Bus \
        /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ' | grep .
}

# Debian's espeak-ng module behind a speech-dispatcher of the caller's, set
# up in the folder $1, on the socket $2, its sound written to the file $3 by
# ALSA's file plugin; its pid in espeak_pid. Fails when there is none, or when
# it is not up in 20 s (stretched on a busy machine).
espeak_pid=
start_espeak_speechd() { # folder socket sound-file
    [[ -x /usr/lib/speech-dispatcher-modules/sd_espeak-ng ]] || return 1
    mkdir -p "$1/modules" "$1/log" && : >"$1/modules/espeak-ng.conf"
    echo "pcm.tofile { type file; slave.pcm null; file \"$3\"; format raw }" >"$1/asoundrc"
    printf '%s\n' 'AudioOutputMethod "alsa"' 'AudioALSADevice "tofile"' 'DefaultLanguage "it"' \
        'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"' 'DefaultModule "espeak-ng"' \
        >"$1/speechd.conf"
    ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$1/asoundrc" speech-dispatcher -s -t 0 \
        -C "$1" -c unix_socket -S "$2" -L "$1/log" >/dev/null 2>&1 &
    espeak_pid=$!
    poll_for 20 test -S "$2"
}

# The program as a screen reader hears it; see atspi_read.py for the commands.
atspi_read() {
    /usr/bin/python3 "$e2e_dir/atspi_read.py" "$@"
}

# Waits until the screen reader hears the counts: "Esatti: $1", "Errati: $2".
# What a screen reader hears on the first label that starts with $1, after it.
heard_after() { # prefix
    local line
    line=$(atspi_read find --role label --wait 3 "$1" | head -n 1 | cut -f 2) || return 1
    echo "${line#"$1"}"
}

counts_heard() { # esatti errati what
    atspi_read find --role label --exact --wait 10 "Esatti: $1" "Errati: $2" >/dev/null ||
        fail "$3: the counts are not heard as \"Esatti: $1\" and \"Errati: $2\""
}

# Waits until the answer box named $1 holds the text $2. As key events are
# handled in order, every key sent before the last typed one has been handled then.
box_holds() { # box name, text, what
    atspi_read find --role text --exact --text "$2" --wait 5 "$1" >/dev/null ||
        fail "$3: the box \"$1\" does not hold \"$2\""
}

# Extra NAME=value settings for the program's environment, its arguments, and a
# command that runs it (another user's, say).
program_env=()
program_args=()
program_runner=()

start_program() { # folder, output file
    (cd "$1" && exec "${program_runner[@]}" env QT_QPA_PLATFORM=xcb "${program_env[@]}" \
        ./mercanzola "${program_args[@]}" >"$2" 2>&1) &
    program_pid=$!
    program_status=
}

stop_program() {
    end_started "$program_pid"
    program_pid=
}

program_running() {
    [[ -n $program_pid ]] && kill -0 "$program_pid" 2>/dev/null
}

program_ended() {
    ! program_running
}

# Waits up to $1 seconds for the program to end; its exit code goes to program_status.
wait_exit() {
    poll_for "$1" program_ended || return 1
    wait "$program_pid"
    program_status=$?
    program_pid=
}

# Sets the caller's X, Y, WIDTH, HEIGHT and SCREEN to the window's; fails when
# the window has gone meanwhile.
geometry_of() {
    # shellcheck disable=SC2034 # set by the eval, kept from the caller
    local shell WINDOW SCREEN
    shell=$(xdotool getwindowgeometry --shell "$1" 2>/dev/null) && [[ $shell == *WIDTH=* ]] ||
        return 1
    eval "$shell"
}

# The program's visible windows, sorted, one word each: a screen as its size
# (WxH), a message box (titled "La mercanzola") as "box".
program_windows() {
    local id name X Y WIDTH HEIGHT
    for id in $(xdotool search --onlyvisible --class mercanzola 2>/dev/null); do
        name=$(xdotool getwindowname "$id" 2>/dev/null) || continue
        geometry_of "$id" || continue
        if [[ $name == "La mercanzola"* ]]; then
            echo box
        else
            echo "${WIDTH}x${HEIGHT}"
        fi
    done | sort | paste -sd ' ' -
}

# Ids of the visible windows shown by program_windows as $1.
window_ids() {
    local id name X Y WIDTH HEIGHT
    for id in $(xdotool search --onlyvisible --class mercanzola 2>/dev/null); do
        name=$(xdotool getwindowname "$id" 2>/dev/null) || continue
        geometry_of "$id" || continue
        if [[ $name == "La mercanzola"* ]]; then
            [[ $1 == box ]] && echo "$id"
        elif [[ ${WIDTH}x${HEIGHT} =~ ^($1)$ ]]; then
            echo "$id"
        fi
    done
}

# Whether the window $1 is off the screen: closed, or hidden.
window_gone() {
    ! xdotool search --onlyvisible --class mercanzola 2>/dev/null | grep -qx "$1"
}

# Whether the window shown as $1 has its centre at the display's, to a pixel.
window_centred() {
    local id X Y WIDTH HEIGHT display_width display_height
    id=$(window_ids "$1" | head -n 1)
    [[ -n $id ]] || return 1
    geometry_of "$id" || return 1
    read -r display_width display_height < <(xdotool getdisplaygeometry)
    local dx=$((2 * X + WIDTH - display_width)) dy=$((2 * Y + HEIGHT - display_height))
    ((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2))
}

windows_are() {
    [[ $(program_windows) =~ ^($1)$ ]]
}

focus_on() {
    local focus
    focus=$(xdotool getwindowfocus 2>/dev/null) || return 1
    window_ids "$1" | grep -qx "$focus"
}

# Waits until the visible windows are exactly those of the pattern $1 and the
# keyboard is on the window $2 (the program hands it to each new window itself).
expect() { # windows-pattern focus-pattern what [seconds]
    local what=$3 limit=${4:-5}
    if ! poll_for "$limit" windows_are "$1"; then
        if ! program_running; then
            wait_exit 0
            fail "$what: the program ended with exit code $program_status"
        else
            fail "$what: expected windows '$1', found '$(program_windows)'"
        fi
        return
    fi
    poll_for "$limit" focus_on "$2" || fail "$what: the keyboard is not on the window $2"
}

# A checksum of the face and counts strip at the top of an exercise screen,
# below its menu bar: the answer box and its blinking cursor lie outside it.
feedback_strip() {
    import -window "$1" -crop 400x70+0+20 +repage rgb:- 2>/dev/null | md5sum
}

strip_changed() { # window, checksum before
    [[ $(feedback_strip "$1") != "$2" ]]
}

# An X server and the tools to watch it, or the script ends: 77 when no X server
# can be had, 1 with every case counted as failed on any other trouble.
start_xserver_or_exit() { # number of cases
    local status tool
    start_xserver
    status=$?
    if ((status == 77)); then
        echo "e2e: SKIPPED: no X server can be had (install Xvfb)"
        exit 77
    fi
    for tool in xdotool import; do
        if ((status == 0)) && ! command -v "$tool" >/dev/null; then
            echo "e2e: $tool is needed (packages xdotool, imagemagick)"
            status=1
        fi
    done
    if ((status != 0)); then
        echo "e2e: 0 passed, $1 failed"
        exit 1
    fi
}

# A program that cannot start: no start screen, a report box (answered with
# Enter), a non-zero exit, and the report on stderr with every pattern given.
expect_report() { # output file, seconds, patterns...
    local log=$1 limit=$2 pattern box_seen='' seen
    shift 2
    local deadline=$((SECONDS + $(scaled "$limit")))
    while program_running && ((SECONDS < deadline)); do
        seen=$(program_windows)
        [[ $seen == *"${Start%x*}x"* ]] && { fail "a start screen appeared"; return 1; }
        if [[ $seen == box ]] && focus_on box; then
            box_seen=yes
            xdotool key Return
        fi
        sleep 0.1
    done
    wait_exit 2 || fail "the program is still running after $limit s" || return 1
    [[ -n $box_seen ]] || fail "no error box titled \"La mercanzola\" appeared" || return 1
    ((program_status != 0)) || fail "exit code 0 after a report" || return 1
    for pattern in "$@"; do
        grep -q -- "$pattern" "$log" || fail "the report does not say: $pattern" || return 1
    done
}

# From the start screen through the menu's first exercise: Tab, Enter.
open_first_exercise() {
    expect "$Start" "$Start" "start screen" 15 || return 1
    xdotool key Return
    expect "$Menu" "$Menu" "menu after Enter on Avvio" || return 1
    xdotool key Tab Return
    expect "$Exercise" "$Exercise" "the first exercise after Tab, Enter on the menu"
}

# From the start screen to the menu's last exercise, the money board.
open_money_board() {
    expect "$Start" "$Start" "start screen" 15 || return 1
    xdotool key Return
    expect "$Menu" "$Menu" "menu after Enter on Avvio" || return 1
    xdotool key --delay 50 Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Return
    expect "$Exercise" "$Exercise" "the money board after 13 Tabs, Enter on the menu"
}

# Enter on the open exercise screen shows a face or a count that was not there.
expect_judged() { # [seconds]
    local screen before
    screen=$(window_ids "$Exercise")
    before=$(feedback_strip "$screen")
    xdotool key Return
    poll_for "${1:-5}" strip_changed "$screen" "$before" || fail "no face or count after Enter"
}

# From an exercise screen to the menu: its menu bar's "Esci", then Yes.
back_to_menu() {
    xdotool key --delay 100 alt Right Right Return
    expect "$Exercise box" box "the question after the screen's Esci" 10 || return 1
    xdotool key Return
    expect "$Menu" "$Menu" "menu after Yes" 10
}

# From the menu, "Esci" (the focus is on it when the menu opens) and Yes: exit 0.
# The question may be up already.
leave_program() {
    windows_are "$Menu box" || xdotool key Return
    expect "$Menu box" box "the question after the menu's Esci" || return 1
    xdotool key Return
    wait_exit 10 || fail "the program did not end after Yes" || return 1
    ((program_status == 0)) || fail "exit code $program_status, expected 0"
}

# Cases of a script, counted; a failed one shows the program's output.
passed=0
failed=0
skipped=0
suite=e2e # the word before each case's name

# A case that returns 77 was skipped and has said why.
run_case() { # name function log [arguments of the function...]
    echo "$suite: $1"
    "$2" "${@:4}"
    local status=$?
    if ((status == 0)); then
        passed=$((passed + 1))
        echo "  ok"
    elif ((status == 77)); then
        skipped=$((skipped + 1))
    else
        failed=$((failed + 1))
        stop_program
        [[ -s $3 ]] && { echo "  program output:"; sed 's/^/    /' "$3"; }
    fi
}
