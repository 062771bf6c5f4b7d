#!/usr/bin/env bash
# The package as a distribution builds it: `dpkg-buildpackage -us -uc -b` on two
# copies of the source tree in two different folders, the first running the
# unit tests and the second without them (nocheck), gives bit-identical .deb
# files, and the same package as CPack's from BUILD_FOLDER (the same files,
# modes and links, the same fields and conffiles). Slow (two whole builds):
# run by .ci/run, not by ctest.
# Usage: debian_build.sh BUILD_FOLDER. Exit 0 when all hold, 1 otherwise.

set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_tree=$(cd "$here/../.." && pwd)
build=$(cd "${1:?usage: debian_build.sh BUILD_FOLDER}" && pwd) || exit 1
work=$(mktemp -d "${TMPDIR:-/tmp}/mercanzola-debian.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failed=0

fail() {
    echo "debian_build: FAIL: $*"
    failed=1
}

# A copy of the tree as a checkout holds it, without build folders.
copy_tree() { # destination
    mkdir -p "$1"
    (cd "$source_tree" && git ls-files -z --cached --others --exclude-standard |
        tar --null -T - -cf -) | tar -xf - -C "$1"
}

# The first build runs the unit tests as dh_auto_test does; the second, with
# nocheck, builds none: the packages must still be the same, bit for bit.
for copy in a/mercanzola elsewhere/deeper/mercanzola; do
    copy_tree "$work/$copy" || { fail "cannot copy the tree"; exit 1; }
    options=$([[ $copy == a/* ]] || echo nocheck)
    echo "debian_build: dpkg-buildpackage in $work/$copy${options:+ ($options)}"
    # ccache, when there, only shortens the second build: it changes nothing made.
    (cd "$work/$copy" && CCACHE_BASEDIR=$PWD DEB_BUILD_OPTIONS=$options \
        CMAKE_CXX_COMPILER_LAUNCHER=$(command -v ccache) dpkg-buildpackage -us -uc -b) \
        >"$work/${copy%%/*}.log" 2>&1 || {
        tail -n 30 "$work/${copy%%/*}.log"
        fail "dpkg-buildpackage failed in $copy"
        exit 1
    }
done
grep -qE '^100% tests passed, 0 tests failed out of [1-9]' "$work/a.log" ||
    fail "dh_auto_test ran no unit test"
first=$(echo "$work"/a/mercanzola_*.deb)
second=$(echo "$work"/elsewhere/deeper/mercanzola_*.deb)
cmp "$first" "$second" || fail "two builds in two folders differ"
cmp "$work"/a/mercanzola-dbgsym_*.deb "$work"/elsewhere/deeper/mercanzola-dbgsym_*.deb ||
    fail "the debug symbols of two builds in two folders differ"

cpack -G DEB -B "$work/cpack" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed"
made=$(echo "$work"/cpack/mercanzola_*.deb)

# Paths, modes, owners and link targets; sizes differ with the way of stripping.
contents() {
    dpkg-deb -c "$1" | awk '$6 != "./" { $3 = ""; $4 = ""; $5 = ""; print }' | sort
}
fields() {
    local field
    for field in Package Version Architecture Maintainer Section Priority Homepage Depends \
        Recommends Suggests Description; do
        dpkg-deb -f "$1" "$field"
    done
    dpkg-deb --ctrl-tarfile "$1" | tar -xO ./conffiles | sort
}
diff <(contents "$first") <(contents "$made") || fail "dpkg-buildpackage and CPack pack other files"
diff <(fields "$first") <(fields "$made") || fail "dpkg-buildpackage and CPack write other fields"

((failed == 0)) && echo "debian_build: identical in two folders, and the same package as CPack's"
exit $failed
