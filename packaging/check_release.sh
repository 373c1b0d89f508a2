#!/usr/bin/env bash
# The release in build/release (packaging/release.sh) holds exactly the files that
# packaging/targets.sh names for this version, each listed in SHA256SUMS with the hash it
# has, and the winget and Scoop manifests; names whatever is missing or more.
#
#   packaging/check_release.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source packaging/checks.sh
source packaging/targets.sh
version=$(packaging/identity.sh version)
release=build/release
[[ -d $release ]] || fail "$release is missing: run packaging/release.sh first"

expected=$(release_files "$version" | cut -d' ' -f2 | sort)
held=$(find "$release" -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' | sort)
listed=$(sed 's/^[0-9a-f]*  \*\?//' "$release/SHA256SUMS" | sort)
missing=$(comm -23 <(echo "$expected") <(echo "$held"))
more=$(comm -13 <(echo "$expected") <(echo "$held"))
[[ -z $missing ]] || fail "the release lacks: $(echo $missing)"
[[ -z $more ]] || fail "the release holds files that no target names: $(echo $more)"
[[ $listed == "$expected" ]] ||
  fail "SHA256SUMS lists other files than the release holds: $(comm -3 <(echo "$expected") <(echo "$listed") | tr -d '\t' | tr '\n' ' ')"
(cd "$release" && sha256sum --quiet -c SHA256SUMS) || fail "a file of the release has another hash than SHA256SUMS says"
for manifest in winget/"$(packaging/identity.sh winget-id)".yaml scoop/tage.json; do
  [[ -f $release/$manifest ]] || fail "the release lacks $manifest"
done
echo "release: the $(wc -l <<<"$expected") files of $version and their hashes, and the manifests"
