# Sourced by the release and check scripts: the table of targets, packaging/targets.txt.
#
#   linux_targets       prints a line per Linux target: NAME TRIPLET PROCESSOR RUNNER
#                       MACHINE STATIC PACKAGE, this machine's first
#   target_row NAME     prints that target's line, of any system
#   builds_of NAME      prints its two build folders under build/: dynamic, then static
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
