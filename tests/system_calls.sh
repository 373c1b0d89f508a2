#!/usr/bin/env bash
# How the program meets the system where the output alone cannot tell: a read of
# standard input that fails (here a directory) ends the input as its end does, and every
# line reaches standard output in a write of its own, counted with strace.
program="$1"
transcripts="$(dirname "$0")/transcripts"
failed=0

got=$(mktemp)
trace=$(mktemp)
trap 'rm -f "$got" "$trace"' EXIT

timeout 5 "$program" </ >"$got"
status=$?
if [[ "$status" != 0 ]] || ! cmp -s "$got" "$transcripts/empty_input.out"; then
  echo "standard input a directory: status $status, output:"
  cat "$got"
  failed=1
else
  echo "standard input a directory: ok"
fi

if ! command -v strace >/dev/null; then
  echo "strace is missing: writes not counted"
  exit $((failed ? 1 : 77))
fi
# Transcripts with many lines of every kind: dialogue, month walk, whole years, summaries.
for name in distant_months distant_years next_year same_month letter_first_day; do
  strace -o "$trace" -e trace=write -e signal=none "$program" <"$transcripts/$name.in" >"$got"
  lines=$(wc -l <"$got")
  writes=$(grep -c '^write(1,' "$trace")
  if [[ "$lines" != "$writes" ]]; then
    echo "$name: $lines lines in $writes writes"
    failed=1
  else
    echo "$name: $lines lines, $writes writes"
  fi
done
exit $failed
