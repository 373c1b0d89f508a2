#!/usr/bin/env bash
# Builds tage in Release with the floor programs, then measures the three whole-process
# targets: a typical session, a long span and a long number, each against its floor, run
# alternately. Prints the medians and ratios, the write count of the long span and the
# peak memory of the long number.
#
#   bench/run.sh [PAIRS]     (PAIRS for the short session; default 200)
set -euo pipefail
cd "$(dirname "$0")/.."
pairs="${1:-200}"

cmake --preset default >/dev/null
cmake --build --preset default >/dev/null
build=build/default
tage="$build/tage"

inputs=$(mktemp -d)
trap 'rm -rf "$inputs"' EXIT
printf '1\n3\n2020\n5\n6\n2020\nx\n' >"$inputs/session"
printf '1\n1\n1000\n1\n1\n1001000\nx\n' >"$inputs/years"
head -c 100000000 /dev/zero | tr '\0' '7' >"$inputs/digits"

# Each floor must produce what tage produces, or the comparison means nothing.
cmp -s <("$build/bench/floor_session" <"$inputs/session") <("$tage" <"$inputs/session") ||
  { echo "floor_session writes other lines than tage"; exit 1; }
cmp -s <("$build/bench/floor_years" <"$inputs/years") \
  <("$tage" <"$inputs/years" | grep '^Inklusive') ||
  { echo "floor_years writes other year lines than tage"; exit 1; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo "                 floor      tage       ratio (target)"
measure() {
  local label="$1" target="$2" count="$3" input="$4" floor="$5"
  read -r floor_s _ tage_s _ ratio < <("$build/bench/alternate" "$count" "$input" "$floor" "$tage")
  printf '%-16s %-10s %-10s %s (at most %s)\n' "$label" "$floor_s" "$tage_s" "$ratio" "$target"
}
measure "session" 1.10 "$pairs" "$inputs/session" "$build/bench/floor_session"
measure "long span" 1.05 10 "$inputs/years" "$build/bench/floor_years"
measure "long number" 2.0 10 "$inputs/digits" "$build/bench/floor_digits"

lines=$("$tage" <"$inputs/years" | wc -l)
if command -v strace >/dev/null; then
  writes=$(strace -f -c -e trace=write -o "$inputs/strace" "$tage" <"$inputs/years" >/dev/null &&
    awk '$NF == "write" { print $4 }' "$inputs/strace")
  echo "long span: $lines lines, $writes writes"
else
  echo "long span: $lines lines (strace missing: writes not counted)"
fi
if [[ -x /usr/bin/time ]]; then
  echo "long number: peak memory $(/usr/bin/time -f %M "$tage" <"$inputs/digits" 2>&1 >/dev/null) KiB"
fi
