#!/usr/bin/env bash
# A run whose output cannot be written must say so on standard error and exit 1, and must
# end at once: a full disk, a closed standard output, a pipe whose reader has gone.
program="$1"
message='Fehler: Die Ausgabe konnte nicht geschrieben werden.'
failed=0

expect_failure() {
  local what="$1" status="$2" errors="$3"
  if [[ "$status" != 1 || "$errors" != "$message" ]]; then
    echo "$what: status $status, standard error: '$errors'"
    failed=1
  else
    echo "$what: ok"
  fi
}

errors=$(echo '3 3 2020 17 3 2020 x' | "$program" 2>&1 >/dev/full)
expect_failure "output to /dev/full" $? "$errors"

errors=$(echo '3 3 2020 17 3 2020 x' | "$program" 2>&1 >&-)
expect_failure "closed standard output" $? "$errors"

# A span of two billion years, of which the reader takes one line and leaves: the run
# must end within a second (timeout's status 124 would fail the check).
errors_file=$(mktemp)
trap 'rm -f "$errors_file"' EXIT
echo '1 1 -1000000000 1 1 1000000000 x' |
  timeout 1 "$program" 2>"$errors_file" | head -n 1 >/dev/null
status=${PIPESTATUS[1]}
expect_failure "closed pipe" "$status" "$(cat "$errors_file")"

exit $failed
