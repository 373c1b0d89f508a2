#!/usr/bin/env bash
# Builds every release package from this source tree, each kind in its own build folder,
# and gathers them with their SHA256SUMS in build/release:
#
#   tage_VERSION_amd64.deb       the dynamic program for Debian (build/default)
#   tage-VERSION-Linux.tar.gz    the static-pie program for any Linux on x86-64
#                                (build/linux-static)
#   tage_VERSION_arm64.deb       the same for arm64 (build/linux-arm64)
#   tage-VERSION-Linux-aarch64.tar.gz
#                                the static-pie program for arm64 (build/linux-arm64-static)
#   tage-VERSION-win64.zip       tage.exe with LIESMICH.txt and LIZENZ.txt (build/windows)
#
# Every transcript passes on each Linux program before it is packed, the arm64 ones under
# qemu-aarch64.
#
# The bytes depend only on the sources and the time stamp (SOURCE_DATE_EPOCH, else the
# last commit), not on the folder, the user, the umask or the time zone.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --workflow --preset release
cmake --workflow --preset linux-static
cmake --workflow --preset linux-arm64
cmake --workflow --preset linux-arm64-static
cmake --workflow --preset windows-release

rm -rf build/release
mkdir -p build/release
cp build/default/tage_*_amd64.deb build/linux-static/tage-*-Linux.tar.gz \
  build/linux-arm64/tage_*_arm64.deb build/linux-arm64-static/tage-*-Linux-aarch64.tar.gz \
  build/windows/tage-*-win64.zip build/release/
(cd build/release && sha256sum -- tage* >SHA256SUMS && cat SHA256SUMS)
