#!/usr/bin/env bash
# How the program meets the system where the output alone cannot tell: every line
# reaches standard output in a write of its own, counted with strace; each way a read, a
# write or the closing of standard output can go wrong, injected with strace, ends as it
# must; a standard output left non-blocking and read slowly gets every line.
#
#   system_calls.sh PROGRAM TRANSCRIPTS_FOLDER [--node]
#
# With --node, PROGRAM is tage.wasm's launcher under Node: the faults are not injected, as
# the calls of the whole Node process would be counted, not the program's own.
#
# Exits 77 (skipped), saying why, where strace is missing or may not trace (ptrace denied
# by a sandbox, a container or Yama), once the checks that need no strace have passed.
program="$1"
transcripts="$2"
under_node="${3:-}"
failed=0
source "$(dirname "$0")/skipping.sh"
# LeakSanitizer cannot work under ptrace; a sanitizer build is traced without it.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

got=$(mktemp)
trace=$(mktemp)
errors=$(mktemp)
first_two_lines=$(mktemp)
third_line_short=$(mktemp)
trap 'rm -f "$got" "$trace" "$errors" "$first_two_lines" "$third_line_short"' EXIT

# A long span into a pipe left non-blocking, whose reader takes a little at a time: the
# program must wait for room instead of failing, and lose or double nothing.
# (Perl, which every Debian system has, sets the pipe non-blocking; the program inherits it.)
echo '1 1 1000 1 1 21000 x' | "$program" >"$got"
echo '1 1 1000 1 1 21000 x' | perl -MFcntl -e '
  my ($output, @program) = @ARGV;
  pipe(my $reader, my $writer) or die "pipe: $!";
  fcntl($writer, F_SETFL, fcntl($writer, F_GETFL, 0) | O_NONBLOCK) or die "fcntl: $!";
  my $child = fork // die "fork: $!";
  if ($child == 0) { open(STDOUT, ">&", $writer) or die; exec @program or die "exec: $!" }
  close $writer;
  open(my $out, ">:raw", $output) or die "$output: $!";
  while (sysread($reader, my $chunk, 4096)) {
    print $out $chunk;
    select(undef, undef, undef, 0.0005);
  }
  waitpid($child, 0);
  exit($? >> 8);' "$errors" "$program"
status=$?
if [[ "$status" != 0 ]] || ! cmp -s "$got" "$errors"; then
  echo "non-blocking standard output read slowly: status $status"
  failed=1
else
  echo "non-blocking standard output read slowly: $(wc -l <"$got") lines, ok"
fi

command -v strace >/dev/null ||
  skip_rest "strace is missing (Debian: apt-get install strace): writes not counted, no faults injected"
strace -o /dev/null true 2>"$errors" ||
  skip_rest "strace may not trace here (ptrace denied: $(head -n 1 "$errors")): writes not counted, no faults injected"
# Transcripts with many lines of every kind: dialogue, month walk, whole years, summaries.
for name in distant_months distant_years next_year same_month letter_first_day; do
  strace -f -o "$trace" -e trace=write -e signal=none "$program" <"$transcripts/$name.in" >"$got"
  lines=$(wc -l <"$got")
  writes=$(grep -c -E '^([0-9]+ +)?write\(1,' "$trace")
  if [[ "$lines" != "$writes" || "$writes" == 0 ]]; then
    echo "$name: $lines lines in $writes writes"
    failed=1
  else
    echo "$name: $lines lines, $writes writes"
  fi
done

[[ "$under_node" == --node ]] && exit $failed

# One row per fault: the injection, the status and the standard output the run must end
# with (from distant_years), and its message on standard error ("" for none). A call that
# strace makes fail or return a count is not made at all, so a write said to take 5 bytes
# wrote none: the output then lacks exactly those 5 bytes, which shows that the rest was
# written from the right place.
wrote='Fehler: Die Ausgabe konnte nicht geschrieben werden: '
read='Fehler: Die Eingabe konnte nicht gelesen werden: '
input="$transcripts/distant_years.in"
whole="$transcripts/distant_years.out"
# Which call of its name, counting every call the process makes (a dynamic loader's
# and a sanitizer runtime's too), is the Nth on descriptor FD: NAME FD N. A sanitizer
# runtime reads /proc/self/maps in a number of calls that can change with the layout of
# the address space, so the program runs with that layout fixed (setarch -R) where it can.
fixed_layout=()
setarch -R true 2>/dev/null && fixed_layout=(setarch -R)
call_number() {
  "${fixed_layout[@]}" strace -o "$trace" -e signal=none -e trace="$1" "$program" \
    <"$input" >/dev/null 2>&1
  grep "^$1(" "$trace" | grep -n -m "$3" -E "^$1\($2[,)]" | tail -n 1 | cut -d: -f1
}
# WHAT NAME FD N FAULT STATUS OUTPUT MESSAGE: the Nth call NAME on FD fails by FAULT.
# The trace shows which call the fault was injected into; should the count have missed
# the one on FD, the row is tried again with a fresh count, up to three times.
expect_fault() {
  local what="$1" name="$2" fd="$3" status="$6" output="$7" message="$8"
  local injection got_status got_errors attempt
  for attempt in 1 2 3; do
    injection="$name:$5:when=$(call_number "$name" "$fd" "$4")"
    timeout 5 "${fixed_layout[@]}" strace -o "$trace" -e signal=none -e trace="$name" \
      -e inject="$injection" "$program" <"$input" >"$got" 2>"$errors"
    got_status=$?
    grep -q -E "^$name\(${fd}[,)].*INJECTED" "$trace" && break
    echo "$what ($injection): attempt $attempt hit a call on another descriptor"
  done
  got_errors=$(cat "$errors")
  if [[ "$got_status" != "$status" ]] || ! cmp -s "$got" "$output" ||
    [[ "$got_errors" != "$message" ]]; then
    echo "$what ($injection): status $got_status, standard error '$got_errors', output:"
    diff "$output" "$got" | head -n 5
    failed=1
  else
    echo "$what: ok"
  fi
}
head -n 2 "$whole" >"$first_two_lines"
awk 'NR == 3 { $0 = substr($0, 6) } 1' "$whole" >"$third_line_short"

device='Ein-/Ausgabefehler des Geraets.'
expect_fault "write takes nothing" write 1 3 retval=0 1 "$first_two_lines" \
  "${wrote}die Ausgabe hat nicht alles angenommen."
expect_fault "write fails" write 1 3 error=EIO 1 "$first_two_lines" "$wrote$device"
expect_fault "quota exhausted" write 1 3 error=EDQUOT 1 "$first_two_lines" \
  "${wrote}das Speicherkontingent ist erschoepft."
expect_fault "write fails otherwise" write 1 3 error=ENXIO 1 "$first_two_lines" \
  "${wrote}Systemfehler 6."
expect_fault "write interrupted" write 1 3 error=EINTR 0 "$whole" ""
expect_fault "write not ready (non-blocking)" write 1 3 error=EAGAIN 0 "$whole" ""
expect_fault "write short" write 1 3 retval=5 0 "$third_line_short" ""
expect_fault "read interrupted" read 0 1 error=EINTR 0 "$whole" ""
expect_fault "read not ready (non-blocking)" read 0 1 error=EAGAIN 0 "$whole" ""
expect_fault "read fails" read 0 1 error=EIO 1 "$first_two_lines" "$read$device"
expect_fault "closing standard output fails" close 1 1 error=EIO 1 "$whole" "$wrote$device"
exit $failed
