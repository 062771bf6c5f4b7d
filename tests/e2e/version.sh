#!/usr/bin/env bash
# Two different builds never carry the same version: the newest entry of
# debian/changelog is dated no earlier than the newest commit that changes
# what reaches the package (the changelog itself aside), and its version is
# above the entry before it. Run by .ci/run on the branch as submitted: a
# change lands without an entry, and the entry that closes the work is
# written last, dated when it is written.
# Usage: version.sh. Exit 0 when it holds, 1 when not, 77 outside a git checkout.

set -u
cd "$(dirname "$0")/../.." || exit 1
git rev-parse --verify -q HEAD >/dev/null || { echo "version: SKIPPED: not a git checkout"; exit 77; }
failed=0
version=$(dpkg-parsechangelog -SVersion)
entry=$(dpkg-parsechangelog -STimestamp)
previous=$(dpkg-parsechangelog -o1 -c1 -SVersion)

dpkg --compare-versions "$version" gt "$previous" || {
    echo "version: FAIL: the newest entry's $version is not above the one before, $previous"
    failed=1
}
# What the package is made of; the autopkgtest checks and the changelog aside.
read -r changed commit subject < <(git log -1 --format='%ct %h %s' -- src assets data packaging \
    cmake CMakeLists.txt debian docs/guida-insegnante.md docs/tecnico.md \
    ':(exclude)debian/changelog' ':(exclude)debian/tests')
if [[ -n ${changed:-} ]] && ((changed > entry)); then
    echo "version: FAIL: commit $commit ($(date -u -d "@$changed" '+%F %T') UTC, \"$subject\")"
    echo "  changes the package after the newest changelog entry, $version of"
    echo "  $(date -u -d "@$entry" '+%F %T') UTC: a build of it would carry $version too."
    echo "  Write a new entry (dch -v NEW_VERSION, or by hand) dated now, and commit it last."
    failed=1
fi
((failed == 0)) && echo "version: $version, written after every change that reaches the package"
echo "version: $((1 - failed)) passed, $failed failed"
exit $failed
