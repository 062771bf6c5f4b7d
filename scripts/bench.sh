#!/usr/bin/env bash
# Builds, then measures the program on an X server of its own and prints one
# table: start-up against a bare Qt window, screen switches, the work of one
# answer, then the record's figures (scripts/bench_record.sh). It measures and never judges: a slow figure does not fail it; only a
# measurement that could not be taken does.
# Usage: bench.sh [--rounds N] [--quick]   (--quick: 2 rounds, a short check)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null
cmake --build build --target mercanzola_bench >/dev/null

# shellcheck source=../tests/e2e/lib.sh
source tests/e2e/lib.sh
status=0
start_xserver || status=$?
if ((status != 0)); then
    echo "bench: an X server is needed (package xvfb)" >&2
    exit 1
fi
trap stop_xserver EXIT
build/bench/mercanzola_bench --program build "$@"
bash scripts/bench_record.sh
