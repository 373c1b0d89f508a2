#!/usr/bin/env bash
# The source release in build/release, built as a distribution builds it: unpacked outside
# any git repository, with a plain debhelper packaging of its own (packaging/distribution/,
# a stand-in for a distribution's), every test runs and passes, the .deb is lintian-clean,
# blhc finds nothing in the build log, and a cross build for the first other Linux target
# of packaging/targets.txt, without its tests, builds too.
#
#   packaging/check_distribution_build.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source packaging/checks.sh
source packaging/targets.sh
version=$(packaging/identity.sh version)
tarball="build/release/tage-$version.tar.gz"
[[ $(tar -tzf "$tarball" | grep -v '/$' | sed "s|^tage-$version/||" | sort) == "$(git ls-files | sort)" ]] ||
  fail "the source tarball does not hold exactly the tracked files"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tar -xzf "$tarball" -C "$work"
cp "$tarball" "$work/tage_$version.orig.tar.gz"
source_tree="$work/tage-$version"
cp -r packaging/distribution/debian "$source_tree/debian"
sed "s/@VERSION@/$version/" packaging/distribution/debian/changelog.in >"$source_tree/debian/changelog"
rm "$source_tree/debian/changelog.in"
# The same copyright as the project's own .deb, from the same template.
cmake -DTEMPLATE=packaging/copyright.in -DLICENSE=LICENSE \
  "-DMAINTAINER=$(packaging/identity.sh maintainer)" \
  "-DYEARS=$(packaging/identity.sh copyright-years)" \
  -DOUTPUT="$source_tree/debian/copyright" -P packaging/make_copyright.cmake

log="$work/build.log"
(cd "$source_tree" && dpkg-buildpackage -us -uc -b) >"$log" 2>&1 || { tail -n 60 "$log"; fail "the distribution build failed"; }
grep -E '100% tests passed, 0 tests failed out of [0-9]{3}' "$log" ||
  fail "the distribution build ran no tests"
# The stand-in packaging's own changelog closes no bug; that is its tag, not the program's.
lintian_clean "$work/tage_$version-1_$(dpkg --print-architecture).deb" initial-upload-closes-no-bugs
blhc --all "$log"

read -r architecture triplet _ < <(linux_targets | sed -n 2p)
(cd "$source_tree" && DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -a "$architecture" -Pnocheck \
  -us -uc -b -d) >"$log" 2>&1 || { tail -n 60 "$log"; fail "the cross build for $architecture failed"; }
shows "Machine: +$(target_row "$architecture" | cut -d' ' -f5)" readelf -h "$source_tree/obj-$triplet/tage"
echo "distribution build: every test passed, lintian and blhc clean, the cross build for $architecture too"
