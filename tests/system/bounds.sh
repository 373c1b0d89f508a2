#!/usr/bin/env bash
# Work and memory stay bounded whatever the input: numbers at the ends of the 32-bit range
# in every counting case finish at once with little output, and a number of 200 MB keeps
# peak memory where a normal run has it.
program="$1"
failed=0
source "$(dirname "$0")/skipping.sh"

output=$(mktemp)
trap 'rm -f "$output"' EXIT

check_extreme() {
  local input="$1" status bytes
  echo "$input x" | timeout 1 "$program" >"$output"
  status=${PIPESTATUS[1]}
  bytes=$(wc -c <"$output")
  if [[ "$status" != 0 || "$bytes" -gt 4096 ]]; then
    echo "'$input': status $status, $bytes bytes of output"
    failed=1
  fi
}

min=-2147483648
max=2147483647
check_extreme "$min 1 1 $max 1 1"                          # same month
check_extreme "$max $max $max $min $min $max"              # second month before the first
check_extreme "$min $min 7 $max $max 7"                    # distant months
check_extreme "$max $((max - 1)) 0 $min $max 0"            # adjacent months
check_extreme "$min $min $((max - 1)) $max $max $max"      # next year
check_extreme "$min $max $((max - 2)) $max $min $max"      # distant years, one between
check_extreme "$max $max $min $min $min $((min + 2))"      # distant years at the bottom
check_extreme "1 1 $max 1 1 $min"                          # earlier year
echo "extreme inputs checked"

[[ -x /usr/bin/time ]] ||
  skip_rest "/usr/bin/time is missing (Debian: apt-get install time): peak memory not measured"
peak_kib() { /usr/bin/time -f %M "$program" 2>&1 >/dev/null | tail -n 1; }
normal=$(echo '1 3 2020 5 6 2020 x' | peak_kib)
huge=$(head -c 200000000 /dev/zero | tr '\0' '7' | peak_kib)
echo "peak memory: normal run ${normal} KiB, 200 MB number ${huge} KiB"
if ((huge > normal + 1024)); then
  echo "peak memory grows with the length of a number"
  failed=1
fi
exit $failed
