#!/usr/bin/env bash
# The program and its other tests build without GoogleTest and Google Benchmark: the
# configure step names what it leaves out and warns of nothing, the build passes, and the
# left-out unit tests show in the test run as skipped, naming the package that brings them
# back, and fail it where every test must run (CI=true).
#
#   tests/check_bare_build.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
configured=$(cmake --preset default -B "$build" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON 2>&1)
echo "$configured"
grep -q -x -- '-- Left out: unit tests (apt-get install libgtest-dev)' <<<"$configured"
grep -q -x -- '-- Left out: micro-benchmarks (apt-get install libbenchmark-dev)' <<<"$configured"
! grep -q -i 'warning' <<<"$configured" || { echo "a warning at configure time"; exit 1; }
cmake --build "$build" --parallel 2
if CI=true ctest --test-dir "$build" --parallel 2 >/dev/null 2>&1; then
  echo "the tests passed with CI=true although the unit tests were left out"
  exit 1
fi
tested=$(env -u CI ctest --test-dir "$build" --output-on-failure --parallel 2)
echo "$tested"
grep -q -F 'unit tests left out: apt-get install libgtest-dev (Skipped)' <<<"$tested"
