#!/usr/bin/env bash
# A run whose output cannot be written must say so on standard error, with the cause in the
# program's own words, exit 1, and end at once: a full disk, a closed standard output, a
# pipe whose reader has gone, a file that reaches the size limit.
program="$1"
failed=0
source "$(dirname "$0")/skipping.sh"
failed_to_write='Fehler: Die Ausgabe konnte nicht geschrieben werden: '

# WHAT STATUS ERRORS CAUSE: the run ended with status 1 and the message naming CAUSE.
expect_failure() {
  local what="$1" status="$2" errors="$3" cause="$4"
  if [[ "$status" != 1 || "$errors" != "$failed_to_write$cause" ]]; then
    echo "$what: status $status, standard error: '$errors'"
    failed=1
  else
    echo "$what: ok"
  fi
}

errors=$(echo '3 3 2020 17 3 2020 x' | "$program" 2>&1 >/dev/full)
expect_failure "output to /dev/full" $? "$errors" "kein Platz mehr auf dem Datentraeger."

skipped=""
if descriptor_1_taken; then
  skipped="descriptor 1 is taken as soon as it is closed: a closed standard output not tried"
else
  errors=$(echo '3 3 2020 17 3 2020 x' | "$program" 2>&1 >&-)
  expect_failure "closed standard output" $? "$errors" "die Ausgabe ist geschlossen."
fi

# A span of two billion years, of which the reader takes one line and leaves: the run
# must end within a second (timeout's status 124 would fail the check).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo '1 1 -1000000000 1 1 1000000000 x' |
  timeout 1 "$program" 2>"$work/errors" | head -n 1 >/dev/null
status=${PIPESTATUS[1]}
expect_failure "closed pipe" "$status" "$(cat "$work/errors")" "der Empfaenger liest nicht mehr."

# A file limited to 8 KiB: the write that would pass the limit fails (no signal kills the
# run), and the file ends after the last whole line.
(ulimit -f 8 && echo '1 1 1000 1 1 3000 x' | "$program" >"$work/limited" 2>"$work/errors")
status=$?
expect_failure "file size limit" "$status" "$(cat "$work/errors")" "die Datei waere zu gross."
if [[ $(tail -c 1 "$work/limited" | od -An -c | tr -d ' ') != '\n' ]]; then
  echo "file size limit: the file ends inside a line"
  failed=1
fi

[[ -z "$skipped" ]] || skip_rest "$skipped"
exit $failed
