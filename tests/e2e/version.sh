#!/usr/bin/env bash
# Two different builds never carry the same version: what reaches the package
# (the changelog itself aside) is the same now as in the commit that wrote the
# changelog's newest entry, and that entry's version is above the one before.
# Run by .ci/run on the branch as submitted: a change lands without an entry,
# and the entry that closes the work is committed after every change.
# Usage: version.sh. Exit 0 when it holds, 1 when not, 77 outside a git checkout.

set -u
cd "$(dirname "$0")/../.." || exit 1
git rev-parse --verify -q HEAD >/dev/null || { echo "version: SKIPPED: not a git checkout"; exit 77; }
failed=0
version=$(dpkg-parsechangelog -SVersion)
previous=$(dpkg-parsechangelog -o1 -c1 -SVersion)

dpkg --compare-versions "$version" gt "$previous" || {
    echo "version: FAIL: the newest entry's $version is not above the one before, $previous"
    failed=1
}
# What the package is made of; the autopkgtest checks and the changelog aside.
packaged=(src assets data packaging cmake CMakeLists.txt debian docs/guida-insegnante.md
    docs/tecnico.md ':(exclude)debian/changelog' ':(exclude)debian/tests')
written=$(git log -1 --format=%H -S"mercanzola ($version)" -- debian/changelog)
changed=$(git diff --name-only "${written:-HEAD}" HEAD -- "${packaged[@]}")
if [[ -z $written || -n $changed ]]; then
    echo "version: FAIL: the package changed after its changelog entry $version was written"
    echo "  (${written:0:7}); a build of it would carry $version too. Changed since:"
    sed 's/^/    /' <<<"$changed" | head -n 20
    echo "  Add a new entry to debian/changelog (dch -v NEW_VERSION, or by hand with"
    echo "  date -R) and commit it after every change."
    failed=1
fi
((failed == 0)) && echo "version: $version, written after every change that reaches the package"
echo "version: $((1 - failed)) passed, $failed failed"
exit $failed
