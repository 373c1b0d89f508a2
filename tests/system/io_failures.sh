#!/usr/bin/env bash
# A run whose input cannot be read or whose output cannot be written must say so on
# standard error, with the cause in the program's own words, exit 1, and end at once:
# standard input a directory or closed; a full disk, a closed standard output, a pipe
# whose reader has gone, a file that reaches the size limit. The end of input is no
# failure: from /dev/null, a file or a pipe the run ends with status 0.
#
#   io_failures.sh PROGRAM TRANSCRIPTS_FOLDER [--node]
#
# With --node, PROGRAM is tage.wasm's launcher under Node, which opens /dev/null in place
# of a standard descriptor that is closed at its start and hands the program a directory
# as a descriptor it may not read: those runs are not tried.
program="$1"
transcripts="$2"
under_node="${3:-}"
failed=0
source "$(dirname "$0")/skipping.sh"
failed_to_read='Fehler: Die Eingabe konnte nicht gelesen werden: '
failed_to_write='Fehler: Die Ausgabe konnte nicht geschrieben werden: '

# WHAT STATUS ERRORS MESSAGE: the run ended with status 1 and MESSAGE on standard error.
expect_failure() {
  local what="$1" status="$2" errors="$3" message="$4"
  if [[ "$status" != 1 || "$errors" != "$message" ]]; then
    echo "$what: status $status, standard error: '$errors'"
    failed=1
  else
    echo "$what: ok"
  fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# WHAT STATUS OUTPUT MESSAGE: runs the program on this function's standard input, which
# must end it with STATUS, the whole OUTPUT and MESSAGE on standard error ("" for none).
expect_run() {
  local what="$1" status="$2" output="$3" message="$4" got_status
  timeout 5 "$program" >"$work/got" 2>"$work/errors"
  got_status=$?
  if [[ "$got_status" != "$status" ]] || ! cmp -s "$work/got" "$output" ||
    [[ "$(cat "$work/errors")" != "$message" ]]; then
    echo "$what: status $got_status, standard error '$(cat "$work/errors")', output:"
    cat "$work/got"
    failed=1
  else
    echo "$what: ok"
  fi
}

# The end of input is no failure, whatever ends it.
empty="$transcripts/empty_input"
expect_run "input from /dev/null" 0 "$empty.out" "" </dev/null
expect_run "input from an empty file" 0 "$empty.out" "" <"$empty.in"
expect_run "input from a pipe whose writer closed" 0 "$empty.out" "" < <(printf '')

# A read that fails ends the run where it fails: after the two lines the program writes
# before its first read.
head -n 2 "$empty.out" >"$work/before_first_read"
if [[ "$under_node" != --node ]]; then
  expect_run "standard input a directory" 1 "$work/before_first_read" \
    "${failed_to_read}die Eingabe ist ein Verzeichnis." </
  expect_run "standard input closed" 1 "$work/before_first_read" \
    "${failed_to_read}die Eingabe ist geschlossen." <&-
fi

errors=$(echo '3 3 2020 17 3 2020 x' | "$program" 2>&1 >/dev/full)
expect_failure "output to /dev/full" $? "$errors" "${failed_to_write}kein Platz mehr auf dem Datentraeger."

skipped=""
if [[ "$under_node" == --node ]]; then
  :
elif descriptor_1_taken; then
  skipped="descriptor 1 is taken as soon as it is closed: a closed standard output not tried"
else
  errors=$(echo '3 3 2020 17 3 2020 x' | "$program" 2>&1 >&-)
  expect_failure "closed standard output" $? "$errors" "${failed_to_write}die Ausgabe ist geschlossen."
fi

# A span of two billion years, of which the reader takes one line and leaves: the run
# must end within a second (timeout's status 124 would fail the check).
echo '1 1 -1000000000 1 1 1000000000 x' |
  timeout 1 "$program" 2>"$work/errors" | head -n 1 >/dev/null
status=${PIPESTATUS[1]}
expect_failure "closed pipe" "$status" "$(cat "$work/errors")" \
  "${failed_to_write}der Empfaenger liest nicht mehr."

# A file limited to 8 KiB: the write that would pass the limit fails (no signal kills the
# run), and the file ends after the last whole line.
(ulimit -f 8 && echo '1 1 1000 1 1 3000 x' | "$program" >"$work/limited" 2>"$work/errors")
status=$?
expect_failure "file size limit" "$status" "$(cat "$work/errors")" \
  "${failed_to_write}die Datei waere zu gross."
if [[ $(tail -c 1 "$work/limited" | od -An -c | tr -d ' ') != '\n' ]]; then
  echo "file size limit: the file ends inside a line"
  failed=1
fi

[[ -z "$skipped" ]] || skip_rest "$skipped"
exit $failed
