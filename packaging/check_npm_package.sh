#!/usr/bin/env bash
# The npm package of the release in build/release installs with `npm install -g` into an
# empty prefix without a network, and the installed `tage` then behaves as the Linux
# program: every transcript from a file and from a pipe gives its output byte for byte,
# status 0 and nothing on standard error (no warning of Node's), and a session at a
# terminal waits where the console waits.
#
#   packaging/check_npm_package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source packaging/checks.sh
version=$(packaging/identity.sh version)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
npm install --global --offline --no-audit --no-fund --prefix "$prefix" \
  "build/release/tage-$version.tgz"
tage="$prefix/bin/tage"
[[ -x "$tage" ]] || fail "npm installed no command tage"
grep -q '"node": ">=' "$prefix/lib/node_modules/tage/package.json" || fail "package.json names no oldest Node"

count=0
for given in tests/transcripts/*.in; do
  expected="${given%.in}.out"
  errors=$("$tage" <"$given" 2>&1 >"$prefix/got") || fail "$given: status $? from a file"
  cmp -s "$prefix/got" "$expected" || fail "$given: other output from a file"
  [[ -z "$errors" ]] || fail "$given: standard error: $errors"
  errors=$(cat "$given" | "$tage" 2>&1 >"$prefix/got") || fail "$given: status $? from a pipe"
  cmp -s "$prefix/got" "$expected" || fail "$given: other output from a pipe"
  [[ -z "$errors" ]] || fail "$given: standard error from a pipe: $errors"
  count=$((count + 1))
done
echo "installed tage: $count transcripts from a file and from a pipe, as at the console"
/usr/bin/python3 tests/system/terminal_session.py "$tage" tests/transcripts --node
