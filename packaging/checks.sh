# Sourced by the check scripts: small helpers that say whether something holds.
#
#   shows PATTERN COMMAND...   whether COMMAND's whole output matches PATTERN (grep -E). The
#                              output is read to its end first, so that an early grep
#                              cannot break the command's pipe.
#   stripped ELF               whether the file has no symbol table and no debug sections
#   lintian_clean DEB [TAG...] lintian --pedantic finds no error and no warning but the TAGs
#   runs_transcript COMMAND... whether COMMAND, given a long transcript's input (dialogue,
#                              months and whole years), writes exactly its output
#   fail MESSAGE               says MESSAGE and ends the script with status 1
shows() {
  local pattern="$1" output
  shift
  output=$("$@")
  grep -q -E -- "$pattern" <<<"$output"
}

runs_transcript() {
  "$@" <tests/transcripts/distant_years.in | cmp - tests/transcripts/distant_years.out
}

stripped() { ! shows '\.(symtab|debug)' readelf -S --wide "$1"; }

lintian_clean() {
  local deb="$1"
  shift
  local suppressed=()
  (($#)) && suppressed=(--suppress-tags "$(IFS=,; echo "$*")")
  lintian --pedantic --fail-on error,warning "${suppressed[@]}" "$deb" || fail "lintian: $deb"
  echo "lintian: no errors, no warnings"
}

fail() {
  echo "$1"
  exit 1
}
