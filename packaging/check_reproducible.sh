#!/usr/bin/env bash
# Every package of the release and every program behind them has the same bytes when this
# commit is built again elsewhere: two clones in other folders, built under another umask
# and time zone each, only build and pack (the tests passed in the release before), and
# each of their files is compared with the other's.
#
#   packaging/check_reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source packaging/checks.sh
source packaging/targets.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

artifacts=(build/windows/tage.exe build/release/tage_* build/release/tage-*)
mapfile -t targets < <(linux_targets)
for target in "${targets[@]}"; do
  for build in $(builds_of "${target%% *}"); do artifacts+=("build/$build/tage"); done
done

build_clone() {  # FOLDER UMASK TZ
  git clone -q "$PWD" "$1" &&
    (cd "$1" && umask "$2" && TZ="$3" packaging/release.sh --no-tests >"$1.log" 2>&1) ||
    { tail -n 60 "$1.log"; fail "the build in $1 failed"; }
}
build_clone "$work/first/tage" 022 UTC
build_clone "$work/second/place/tage" 002 Europe/Berlin
for artifact in "${artifacts[@]}"; do
  first=$(sha256sum <"$work/first/tage/$artifact" | cut -d' ' -f1)
  second=$(sha256sum <"$work/second/place/tage/$artifact" | cut -d' ' -f1)
  echo "$first $second $artifact"
  [[ "$first" == "$second" ]] || fail "$artifact differs between the two builds"
done
echo "the same bytes from both builds: ${#artifacts[@]} files"
