#!/usr/bin/env bash
# Builds the fuzz preset and runs both fuzz targets for a bounded time each (FUZZ_SECONDS,
# default 60), seeded with the transcripts and the kept regressions. Any crash, sanitizer
# report, input slower than a second or memory past the limit ends a fuzzer with a
# failure, and so this script; the input that did it is kept in ARTIFACTS.
#
#   tests/fuzz/run.sh ARTIFACTS
set -euo pipefail
cd "$(dirname "$0")/../.."
artifacts="$(realpath "$1")"
mkdir -p "$artifacts"
cmake --workflow --preset fuzz
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
for fuzzer in dialogue_fuzzer number_reader_fuzzer; do
  mkdir -p "$corpus/$fuzzer"
  "build/fuzz/tests/fuzz/$fuzzer" -max_total_time="${FUZZ_SECONDS:-60}" -timeout=1 \
    -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$artifacts/$fuzzer-" \
    "$corpus/$fuzzer" tests/transcripts tests/fuzz/regressions
done
