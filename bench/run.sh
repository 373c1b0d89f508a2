#!/usr/bin/env bash
# Measures each kind of run against the least it can cost (bench/floor_*.c), for both ways
# tage is linked: the static-pie program of the TGZ (preset linux-static) and the dynamic
# program of the .deb (preset default). The floor programs are built with the same
# hardening and linked the same way as the tage beside them. Two measures:
#
# - whole-process wall time, the two programs started alternately (A B A B ...), medians;
# - user-space instructions counted by callgrind, which stay the same on a busy machine;
#   both programs run with an empty environment, as start-up work grows with it.
#
# Prints each figure with its target and MISSED beside any target missed, then the write
# count of the long span and the peak memory of the long number; exits 1 if a target was
# missed.
#
# Then tage.wasm (preset wasm): the page's whole payload (every file of its folder), the
# time per whole-year line under Node against the native program's, start-up aside (each
# program's long span less its short session, medians of runs made alternately), and in
# headless Chromium and Firefox the time from the start of loading to the first prompt, and
# the time to the summary of a million-year span against the Node program's whole run.
#
#   bench/run.sh [PAIRS]     (PAIRS for the short session; default 200)
set -euo pipefail
cd "$(dirname "$0")/.."
pairs="${1:-200}"

inputs=$(mktemp -d)
trap 'rm -rf "$inputs"' EXIT
printf '1\n3\n2020\n5\n6\n2020\nx\n' >"$inputs/session"
printf '1\n1\n1000\n1\n1\n1001000\nx\n' >"$inputs/years"
printf '1\n1\n1000\n1\n1\n101000\nx\n' >"$inputs/years_100k"
head -c 100000000 /dev/zero | tr '\0' '7' >"$inputs/digits"
head -c 10000000 /dev/zero | tr '\0' '7' >"$inputs/digits_10m"

missed=0
# VALUE TARGET: sets result to "ok" for a value that must stay at most TARGET and does, else
# to "MISSED", and then marks the run as one that missed a target.
judge() {
  if awk -v value="$1" -v target="$2" 'BEGIN { exit !(value <= target) }'; then
    result=ok
  else
    result=MISSED
    missed=1
  fi
}
instructions() {  # PROGRAM INPUT: user-space instructions of one run
  env -i valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" <"$2" 2>&1 >/dev/null |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
wall() {  # LABEL TARGET PAIRS INPUT FLOOR TAGE ALTERNATE
  local label="$1" target="$2" count="$3" input="$4" floor="$5" tage="$6" alternate="$7"
  local floor_s tage_s ratio result
  read -r floor_s _ tage_s _ ratio < <("$alternate" "$count" "$input" "$floor" "$tage")
  judge "$ratio" "$target"
  printf '%-23s %-10s %-10s %-7s <= %-5s %s\n' "$label" "$floor_s" "$tage_s" "$ratio" "$target" \
    "$result"
}
counted() {  # LABEL FIGURE TARGET FLOOR TAGE
  local label="$1" figure="$2" target="$3" floor_i="$4" tage_i="$5" result
  judge "$figure" "$target"
  printf '%-25s %-12s %-12s %-8s <= %-5s %s\n' "$label" "$floor_i" "$tage_i" "$figure" \
    "$target" "$result"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b / a }'; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"

measure() {  # PRESET: builds it, checks its floors, measures
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" >/dev/null
  local build="build/$1"
  local tage="$build/tage" floors="$build/bench"
  echo
  echo "== $1: $(readelf -d "$tage" | grep -c NEEDED) libraries needed ($(readelf -d "$tage" |
    sed -n 's/.*NEEDED.*\[\(.*\)\]/\1/p' | tr '\n' ' '))"

  # Each floor must produce what tage produces, or the comparison means nothing.
  cmp -s <("$floors/floor_session" <"$inputs/session") <("$tage" <"$inputs/session") ||
    { echo "floor_session writes other lines than tage"; exit 1; }
  cmp -s <("$floors/floor_years" <"$inputs/years") \
    <("$tage" <"$inputs/years" | grep '^Inklusive') ||
    { echo "floor_years writes other year lines than tage"; exit 1; }
  [[ $("$floors/floor_lines" | wc -c) == $("$tage" <"$inputs/years" | grep '^Inklusive' | wc -c) ]] ||
    { echo "floor_lines writes another number of bytes than tage's year lines"; exit 1; }

  echo "wall time, medians      floor      tage       ratio   target"
  wall "session" 1.10 "$pairs" "$inputs/session" "$floors/floor_session" "$tage" \
    "$floors/alternate"
  wall "long span (write)" 1.10 10 "$inputs/years" "$floors/floor_lines" "$tage" \
    "$floors/alternate"
  wall "long span (snprintf)" 1.05 10 "$inputs/years" "$floors/floor_years" "$tage" \
    "$floors/alternate"
  wall "long number" 2.0 10 "$inputs/digits" "$floors/floor_digits" "$tage" \
    "$floors/alternate"

  if command -v valgrind >/dev/null; then
    echo
    echo "instructions (callgrind)  floor        tage         figure   target"
    local floor_i tage_i
    floor_i=$(instructions "$floors/floor_session" "$inputs/session")
    tage_i=$(instructions "$tage" "$inputs/session")
    counted "session, ratio" "$(ratio "$floor_i" "$tage_i")" 1.10 "$floor_i" "$tage_i"
    # 100,000 whole-year lines from 1. 1. 1000 to 1. 1. 101000, start-up included.
    tage_i=$(instructions "$tage" "$inputs/years_100k")
    counted "long span, per year line" "$(awk -v b="$tage_i" 'BEGIN { printf "%.1f", b / 100000 }')" \
      100 "-" "$tage_i"
    floor_i=$(instructions "$floors/floor_digits" "$inputs/digits_10m")
    tage_i=$(instructions "$tage" "$inputs/digits_10m")
    counted "10 MB number, ratio" "$(ratio "$floor_i" "$tage_i")" 2.0 "$floor_i" "$tage_i"
  else
    echo "valgrind is missing: instructions not counted"
  fi

  echo
  local lines writes result peak
  lines=$("$tage" <"$inputs/years" | wc -l)
  if command -v strace >/dev/null; then
    writes=$(strace -f -c -e trace=write -o "$inputs/strace" "$tage" <"$inputs/years" >/dev/null &&
      awk '$NF == "write" { print $4 }' "$inputs/strace")
    result=$([[ "$lines" == "$writes" ]] && echo ok || echo MISSED)
    [[ "$result" == ok ]] || missed=1
    echo "long span: $lines lines, $writes writes $result"
  else
    echo "long span: $lines lines (strace missing: writes not counted)"
  fi
  if [[ -x /usr/bin/time ]]; then
    # At most 1 MiB. The peak counts every page of the C library and the loader that a run
    # touches, which alone comes near 1 MiB for a dynamic program (/bin/true): where the C
    # floor needs more, its peak is the bound.
    local floor_peak bound
    floor_peak=$(/usr/bin/time -f %M "$floors/floor_digits" <"$inputs/digits" 2>&1 >/dev/null)
    peak=$(/usr/bin/time -f %M "$tage" <"$inputs/digits" 2>&1 >/dev/null)
    bound=$((floor_peak > 1024 ? floor_peak : 1024))
    judge "$peak" "$bound"
    echo "long number: peak memory $peak KiB, the floor's $floor_peak KiB (<= $bound) $result"
  fi
}

# NATIVE ALTERNATE: builds tage.wasm and measures the page and the Node program against
# the native program NATIVE, timed alternately by the program ALTERNATE.
measure_wasm() {
  local native="$1" alternate="$2"
  cmake --preset wasm >/dev/null
  cmake --build --preset wasm >/dev/null
  local web=build/wasm/web launcher=build/wasm/npm/tage.js tools=build/wasm/tests/browser/tools
  local result
  echo
  echo "== wasm"
  # Every file of the page's folder, as the service worker keeps them: what a first visit
  # loads, icons included.
  local payload
  payload=$(cat "$web"/* | wc -c)
  judge "$payload" 150000
  printf '%-32s %8s bytes  <= 150000 %s\n' "page, payload" "$payload" "$result"

  local native_long node_long native_short node_short ratio
  read -r native_long _ node_long _ _ < <("$alternate" 5 "$inputs/years" "$native" "$launcher")
  read -r native_short _ node_short _ _ < <("$alternate" 5 "$inputs/session" "$native" "$launcher")
  ratio=$(awk -v a="$native_long" -v b="$native_short" -v c="$node_long" -v d="$node_short" \
    'BEGIN { printf "%.2f", (c - d) / (a - b) }')
  judge "$ratio" 3
  printf '%-32s %8s        <= 3      %s  (native %s s, Node %s s for 1,000,000 lines)\n' \
    "Node, per year line" "$ratio" "$result" "$native_long" "$node_long"

  # In each engine: from the start of loading to the first prompt, and from the second date
  # of the same million-year span to its summary shown, against the Node program's whole run.
  tests/browser/install_tools.sh "$tools" >/dev/null || true
  local engine first span
  for engine in chromium firefox; do
    if read -r first span < <(node tests/browser/page_test.mjs --bench "$engine" "$tools" "$web" \
      2>/dev/null | tail -n 1) && [[ -n "$span" ]]; then
      judge "$first" 150
      printf '%-32s %8s ms     <= 150    %s\n' "page in $engine, first prompt" "$first" "$result"
      ratio=$(awk -v a="$node_long" -v b="$span" 'BEGIN { printf "%.2f", b / a }')
      judge "$ratio" 3
      printf '%-32s %8s        <= 3      %s  (%s s, Node %s s)\n' \
        "page in $engine, span" "$ratio" "$result" "$span" "$node_long"
    else
      echo "page in $engine: not measured (tests/browser/page_test.mjs says why)"
    fi
  done
}

measure linux-static
measure default
measure_wasm build/default/tage build/default/bench/alternate
exit $missed
