# Sourced by the release and check scripts: the table of targets, packaging/targets.txt.
#
#   linux_targets       prints a line per Linux target: NAME TRIPLET PROCESSOR RUNNER
#                       MACHINE STATIC PACKAGE, this machine's first
#   target_row NAME     prints that target's line, of any system
#   builds_of NAME      prints its two build folders under build/: dynamic, then static
#   release_files VERSION
#                       prints a line per file that the release of VERSION holds beside
#                       its SHA256SUMS: the build folder it is made in ("-" for the source
#                       tarball, which is made from git) and its name
targets_table="$(dirname "${BASH_SOURCE[0]}")/targets.txt"

linux_targets() {
  awk '!/^#/ && NF && $2 ~ /-linux-/ { print $1, $2, $3, $4, $5, $6, $7 }' "$targets_table"
}

target_row() {
  awk -v name="$1" '!/^#/ && $1 == name { print $1, $2, $3, $4, $5, $6, $7 }' "$targets_table"
}

builds_of() {
  if [[ $(linux_targets | head -n 1 | cut -d' ' -f1) == "$1" ]]; then
    echo "default linux-static"
  else
    echo "linux-$1 linux-$1-static"
  fi
}

release_files() {
  local version="$1" architecture package dynamic static
  echo "- tage-$version.tar.gz"
  while read -r architecture _ _ _ _ _ package; do
    read -r dynamic static < <(builds_of "$architecture")
    echo "build/$dynamic tage_${version}_$architecture.deb"
    echo "build/$static tage-$version-$package.tar.gz"
  done < <(linux_targets)
  package=$(target_row windows | cut -d' ' -f7)
  echo "build/windows tage-$version-$package.zip"
  echo "build/windows tage-$version-$package.msi"
  package=$(target_row wasm | cut -d' ' -f7)
  echo "build/wasm tage-$version.tgz"
  echo "build/wasm tage-$version-$package.zip"
}
