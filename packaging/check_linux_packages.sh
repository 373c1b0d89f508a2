#!/usr/bin/env bash
# The Linux programs and packages of the release in build/release, for every Linux target
# of packaging/targets.txt (run packaging/release.sh first):
#
# - each program is hardened: its own code is compiled with the stack protector,
#   stack-clash protection and FORTIFY (its compile flags: neither of the last two shows in
#   a program whose functions have no large frame and call no fortifiable function with a
#   known size) and calls the stack protector's check, and it has read-only relocations.
#   A dynamic one is also checked by hardening-check (PIE, stack protector, RELRO,
#   BIND_NOW; its FORTIFY and control-flow checks are left to the flags and to the note on
#   CET in ENTWICKLUNG.md), a static-pie one by readelf (hardening-check misreads it).
#   Plain static programs, where the C library has no static-pie, are neither PIE nor
#   bound lazily;
# - each is built for its machine; the dynamic one needs the C library alone (and, on some
#   architectures, names the dynamic loader too), the static one nothing;
# - each .deb has its fields, is lintian-clean and holds a stripped program that runs a
#   transcript (under qemu for another architecture), its man page, changelog, copyright
#   and lintian overrides;
# - each TGZ holds a stripped static program that runs the transcript, its man page,
#   changelog, the notices and the LGPL, all owned by root.
#
#   packaging/check_linux_packages.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source packaging/checks.sh
source packaging/targets.sh
version=$(packaging/identity.sh version)
release=build/release
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# BUILD SOURCE: the command that compiled SOURCE in BUILD, as the build lists it in its
# compile_commands.json (every preset writes one, with any generator).
compile_command() {
  python3 - "build/$1/compile_commands.json" "$2" <<'PYTHON'
import json, sys
commands, source = sys.argv[1:]
found = [entry for entry in json.load(open(commands)) if entry["file"].endswith("/" + source)]
if not found:
    sys.exit(f"{commands} lists no command for {source}")
print(found[0].get("command") or " ".join(found[0]["arguments"]))
PYTHON
}

hardened() {  # BUILD
  local program="build/$1/tage" flags
  flags=$(compile_command "$1" dialogue/date_dialogue.cpp)
  for flag in -fstack-protector-strong -fstack-clash-protection -D_FORTIFY_SOURCE=; do
    grep -q -- "$flag" <<<"$flags" || fail "build/$1 compiles its code without $flag"
  done
  shows '__stack_chk_fail' nm -u "build/$1/libtage_core.a"
  shows GNU_RELRO readelf -l "$program"
  if shows INTERP readelf -l "$program"; then
    hardening-check --nofortify --nocfprotection "$program"
  elif shows 'Type: +DYN' readelf -h "$program"; then
    shows 'FLAGS_1.*PIE' readelf -d "$program"
    shows 'FLAGS_1.*NOW' readelf -d "$program"
  fi
  echo "$program: hardened"
}

check_deb() {  # DEB ARCHITECTURE [RUNNER...]
  local deb="$1" architecture="$2" root="$work/root-$2"
  shift 2
  dpkg-deb -f "$deb" Package Version Architecture Section Maintainer Depends
  [[ $(dpkg-deb -f "$deb" Architecture) == "$architecture" ]]
  [[ $(dpkg-deb -f "$deb" Depends) =~ ^libc6\ \(\>=\ [0-9.]+\)$ ]] ||
    fail "$deb depends on more than libc6"
  [[ $(dpkg-deb -f "$deb" Description | wc -l) -gt 2 ]]  # an extended description
  lintian_clean "$deb"
  mkdir "$root"
  dpkg -x "$deb" "$root"
  runs_transcript "$@" "$root/usr/bin/tage"
  stripped "$root/usr/bin/tage"
  shows '\.comment' readelf -S "$root/usr/bin/tage" && fail "$deb: a .comment section"
  shows '^\.TH TAGE 1' zcat "$root/usr/share/man/man1/tage.1.gz"
  shows "^tage \\($version\\)" zcat "$root/usr/share/doc/tage/changelog.gz"
  head -n 1 "$root/usr/share/doc/tage/copyright" |
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/'
  test -f "$root/usr/share/lintian/overrides/tage"
  echo "$deb: ok"
}

check_tgz() {  # TGZ MACHINE [RUNNER...]
  local tgz="$1" machine="$2" root
  shift 2
  root="$work/tgz/$(basename "$tgz" .tar.gz)/usr"
  mkdir -p "$work/tgz"
  tar -xzf "$tgz" -C "$work/tgz"
  runs_transcript "$@" "$root/bin/tage"
  stripped "$root/bin/tage"
  shows INTERP readelf -l "$root/bin/tage" && fail "$tgz: the program is not static"
  shows "Machine: +$machine" readelf -h "$root/bin/tage"
  test -f "$root/share/man/man1/tage.1.gz"
  test -f "$root/share/doc/tage/changelog.gz"
  grep -q 'GNU C Library' "$root/share/doc/tage/copyright"
  grep -q 'GNU LESSER GENERAL PUBLIC LICENSE' "$root/share/doc/tage/LGPL-2.1"
  tar -tvzf "$tgz" | awk '$2 != "root/root" { exit 1 }'
  echo "$tgz: ok"
}

mapfile -t targets < <(linux_targets)
for target in "${targets[@]}"; do
  read -r architecture _ _ runner machine _ package <<<"$target"
  read -r dynamic static < <(builds_of "$architecture")
  for build in "$dynamic" "$static"; do
    hardened "$build"
    shows "Machine: +$machine" readelf -h "build/$build/tage"
  done
  [[ $(readelf -d "build/$dynamic/tage" | sed -n 's/.*NEEDED.*\[\(.*\)\]/\1/p' |
    grep -v -E '^ld[-.0-9a-z_]*\.so(\.[0-9]+)?$') == libc.so.6 ]] ||
    fail "build/$dynamic/tage needs more than libc.so.6"
  shows INTERP readelf -l "build/$static/tage" && fail "build/$static/tage is not static"

  run=()
  dynamic_run=()
  if [[ $runner != - ]]; then
    run=("$runner")
    # A foreign dynamic program runs as its cross build's tests run it.
    read -r -a dynamic_run < <(cmake -DEMULATOR_OF="$architecture" -P cmake/targets.cmake)
  fi
  check_deb "$release/tage_${version}_${architecture}.deb" "$architecture" "${dynamic_run[@]}"
  check_tgz "$release/tage-${version}-${package}.tar.gz" "$machine" "${run[@]}"
done
echo "Linux packages: ${#targets[@]} architectures checked"
