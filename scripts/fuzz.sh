#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# SECONDS (default 60). New inputs gather in build-fuzz/corpus/<target>; a crash,
# a hang or a memory blow-up is written to build-fuzz/artifacts/ and fails the
# script: copy it into fuzz/corpus/<target>/ so that it stays a regression case.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

# shellcheck disable=SC2086 # FUZZ_CMAKE_ARGS holds several arguments
CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja ${FUZZ_CMAKE_ARGS:-} >/dev/null
cmake --build build-fuzz

declare -A max_len=([catalogue]=8192 [answer]=33000 [texts]=64)
declare -A options=([catalogue]=-dict=fuzz/catalogue.dict [answer]='' [texts]='')
# Without a stack kept for every allocation the catalogue runs about half again
# as fast; a crash found is run again from its artifact with the full stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
failed=()
for target in catalogue answer texts; do
    work=build-fuzz/corpus/$target
    mkdir -p "$work" build-fuzz/artifacts
    log=build-fuzz/$target.log
    echo "fuzz: $target for $seconds s"
    # The first folder takes the new inputs; the repository's seeds stay as they are.
    # shellcheck disable=SC2086 # an empty option is no option
    if build-fuzz/fuzz_$target -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="${max_len[$target]}" -print_final_stats=1 ${options[$target]} \
        -artifact_prefix="build-fuzz/artifacts/$target-" "$work" "fuzz/corpus/$target" \
        >"$log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units)' "$log" | sed 's/^/  /'
    else
        failed+=("$target")
        tail -n 40 "$log"
    fi
done
if ((${#failed[@]})); then
    echo "fuzz: FAILED: ${failed[*]} (inputs in build-fuzz/artifacts/)"
    exit 1
fi
echo "fuzz: every target ran clean"
