#!/usr/bin/env bash
# A plain `cmake --install` of build/default installs only what a user needs (the program,
# its man page, what changed) and the installed program runs a transcript.
#
#   packaging/check_install.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source packaging/checks.sh
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install build/default --prefix "$prefix" >/dev/null
runs_transcript "$prefix/bin/tage"
installed=$(cd "$prefix" && find . -type f | sort | tr '\n' ' ')
[[ $installed == "./bin/tage ./share/doc/tage/NEUIGKEITEN.md ./share/man/man1/tage.1.gz " ]] ||
  fail "a plain install installs more: $installed"
echo "install: the program, its man page and NEUIGKEITEN.md"
