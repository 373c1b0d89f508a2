#!/usr/bin/env bash
# Writes the source release tage-VERSION.tar.gz into FOLDER: exactly the files git tracks
# at HEAD, under one top folder tage-VERSION/, owned by root, folders and programs 0755 and
# other files 0644, every time the build's time stamp (SOURCE_DATE_EPOCH, else the last
# commit), compressed without a name or time of its own. The same commit gives the same
# bytes wherever and by whomever it is packed.
#
#   packaging/source_tarball.sh FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath "$1")"
version=$(packaging/identity.sh version)
epoch="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir "$tree/tage-$version"
git archive --format=tar HEAD | tar -x -C "$tree/tage-$version"
tar --create --format=gnu --sort=name --owner=root:0 --group=root:0 \
  --mode=u+rwX,go+rX,go-w --mtime="@$epoch" -C "$tree" "tage-$version" |
  gzip -9n >"$out/tage-$version.tar.gz"
