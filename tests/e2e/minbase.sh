#!/usr/bin/env bash
# The package on a minimal Debian 12 (debootstrap --variant=minbase), as a
# school's technician meets it, in a root of its own (chroot, private mounts):
#   1. the README's install block, with and without the recommended packages:
#      how many packages each brings and how much disk (reported; at most
#      MAX_WITH and MAX_WITHOUT packages);
#   2. autopkgtest's checks (debian/tests) run by hand in the installed root;
#   3. the README's build blocks: what `scripts/setup.sh` installs satisfies
#      debian/control's build dependencies on that fresh root.
# Slow (minutes): .ci/run runs it, not ctest. The fresh root and the packages
# downloaded are kept in $MERCANZOLA_TEST_CACHE (default
# /var/cache/mercanzola-tests), outside the clone, for the next run.
# Usage: minbase.sh BUILD_FOLDER. Exit 0 when all pass, 1 when one fails, 77
# without root or debootstrap.

set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_tree=$(cd "$here/../.." && pwd)
build=$(cd "${1:?usage: minbase.sh BUILD_FOLDER}" && pwd) || exit 1
cache=${MERCANZOLA_TEST_CACHE:-/var/cache/mercanzola-tests}
MAX_WITH=220
MAX_WITHOUT=120
passed=0
failed=0

if (($(id -u) != 0)) || ! command -v debootstrap >/dev/null || ! command -v unshare >/dev/null; then
    echo "minbase: SKIPPED: a minimal root needs root, unshare and debootstrap"
    exit 77
fi

fail() {
    echo "minbase: FAIL: $*"
    failed=$((failed + 1))
    return 1
}
pass() {
    echo "minbase: ok: $*"
    passed=$((passed + 1))
}

# The fresh root, made once: debootstrap from the mirror this machine uses.
fresh_root_tarball() {
    local tarball=$cache/bookworm-minbase.tar mirror made
    [[ -s $tarball ]] && return 0
    mkdir -p "$cache"
    mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
    made=$(mktemp -d "$cache/made.XXXXXX")
    echo "minbase: debootstrap --variant=minbase bookworm (once; kept in $cache)"
    debootstrap --variant=minbase bookworm "$made/root" "${mirror:-http://deb.debian.org/debian}" \
        >"$made/debootstrap.log" 2>&1 || {
        tail -n 20 "$made/debootstrap.log"
        rm -rf "$made"
        return 1
    }
    tar -C "$made/root" -cf "$tarball.part" . && mv "$tarball.part" "$tarball"
    rm -rf "$made"
}

work=$(mktemp -d "${TMPDIR:-/tmp}/mercanzola-minbase.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT

# Runs a command in a new copy of the fresh root, its proc, dev and the shared
# package cache mounted privately; no service starts there.
in_root() { # name, command...
    local root=$work/$1
    shift
    if [[ ! -d $root ]]; then
        mkdir -p "$root" "$cache/archives/partial"
        tar -C "$root" -xf "$cache/bookworm-minbase.tar" || return 1
        cp /etc/resolv.conf "$root/etc/resolv.conf"
        printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
        chmod +x "$root/usr/sbin/policy-rc.d"
    fi
    unshare --mount --propagation private bash -c '
        root=$1 cache=$2
        shift 2
        mount -t proc proc "$root/proc" && mount --rbind /dev "$root/dev" &&
            mount --bind "$cache/archives" "$root/var/cache/apt/archives" &&
            exec chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
                LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"' \
        in_root "$root" "$cache" "$@"
}

# apt's own summary of an install: how many packages, how much to download and
# how much disk.
install_and_measure() { # root name, what, apt options...
    local name=$1 what=$2 log=$work/$1.log disk download
    shift 2
    in_root "$name" apt-get update -q >"$log" 2>&1 &&
        in_root "$name" apt-get install -y -q "$@" /tmp/mercanzola.deb >>"$log" 2>&1 || {
        tail -n 20 "$log"
        fail "apt could not install the package $what"
        return 1
    }
    newly=$(sed -n 's/.* \([0-9]\+\) newly installed.*/\1/p' "$log")
    # "Need to get 0 B/77.5 MB" when the shared cache has them already.
    download=$(sed -n 's|^Need to get \([^ ]* [kMG]\?B/\)\?\([^ ]* [kMG]\?B\) of archives.*|\2|p' \
        "$log" | tail -n 1)
    disk=$(sed -n 's/^After this operation, \([^ ]* [kMG]\?B\) of additional.*/\1/p' "$log")
    echo "minbase: installed $what: $newly packages, $download to download, $disk on disk"
}

deb=$(mktemp -d "$work/deb.XXXXXX")
cpack -G DEB -B "$deb" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
fresh_root_tarball || { fail "no minimal root could be made"; exit 1; }

for mode in without with; do
    options=(--no-install-recommends)
    limit=$MAX_WITHOUT
    if [[ $mode == with ]]; then
        options=()
        limit=$MAX_WITH
    fi
    in_root "$mode" true || { fail "the minimal root does not unpack"; continue; }
    cp "$deb"/mercanzola_*.deb "$work/$mode/tmp/mercanzola.deb"
    if install_and_measure "$mode" "$mode its recommended packages" "${options[@]}"; then
        if ((newly <= limit)); then
            pass "$newly packages $mode the recommended ones, at most $limit"
        else
            fail "$newly packages $mode the recommended ones, more than $limit"
        fi
    fi
done

# autopkgtest's checks, by hand, where the recommended packages are.
cp -r "$source_tree/debian/tests" "$work/with/tmp/tests"
if in_root with apt-get install -y -q --no-install-recommends xvfb xauth x11-utils \
    >>"$work/with.log" 2>&1 &&
    in_root with sh -c 'cd /tmp && AUTOPKGTEST_TMP=/tmp sh tests/smoke && sh tests/start' \
        >"$work/autopkgtest.log" 2>&1; then
    pass "autopkgtest's smoke and start checks on the installed package"
else
    cat "$work/autopkgtest.log"
    fail "autopkgtest's checks"
fi

# The README's build blocks begin with setup.sh: on a fresh root what it
# installs is what dpkg-buildpackage asks for.
mkdir -p "$work/without/tmp/src"
(cd "$source_tree" && git ls-files -z | tar --null -T - -cf -) | tar -xf - -C "$work/without/tmp/src"
if in_root without bash -c 'cd /tmp/src && bash scripts/setup.sh --no-build && dpkg-checkbuilddeps' \
    >"$work/builddeps.log" 2>&1; then
    pass "scripts/setup.sh installs what dpkg-buildpackage needs"
else
    tail -n 20 "$work/builddeps.log"
    fail "after scripts/setup.sh, dpkg-buildpackage lacks build dependencies"
fi

echo "minbase: $passed passed, $failed failed"
((failed == 0))
