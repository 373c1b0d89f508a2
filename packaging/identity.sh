#!/usr/bin/env bash
# Prints one fact of tage's identity: its version, its one-line description, its
# maintainer, the years of its copyright, or the name winget knows it by. They live in one
# place, the top of CMakeLists.txt, and every script asks this one for them.
#
#   packaging/identity.sh version|description|maintainer|copyright-years|winget-id
set -euo pipefail
top="$(dirname "$0")/../CMakeLists.txt"
case "${1:-}" in
  version) pattern='^project(tage VERSION \([0-9.]*\) .*' ;;
  description) pattern='^project(tage .* DESCRIPTION "\([^"]*\)" .*' ;;
  maintainer) pattern='^set(TAGE_MAINTAINER "\([^"]*\)")$' ;;
  copyright-years) pattern='^set(TAGE_COPYRIGHT_YEARS \([^)]*\))$' ;;
  winget-id) pattern='^set(TAGE_WINGET_ID \([^)]*\))$' ;;
  *)
    echo "identity.sh: which fact? version, description, maintainer, copyright-years or winget-id" >&2
    exit 2
    ;;
esac
fact=$(sed -n "s/$pattern/\\1/p" "$top")
if [[ -z "$fact" ]]; then
  echo "identity.sh: $top does not say the $1 where it should (a line like ${pattern#^})" >&2
  exit 1
fi
echo "$fact"
