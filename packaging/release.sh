#!/usr/bin/env bash
# Builds every release package from this source tree, each kind in its own build folder,
# and gathers them with their SHA256SUMS in build/release:
#
#   tage-VERSION.tar.gz          the source release: exactly the files git tracks
#   tage_VERSION_ARCH.deb        the dynamic program for Debian, for amd64 (build/default)
#                                and for arm64, i386, armhf, s390x, ppc64el, riscv64 and
#                                mips64el (build/linux-ARCH)
#   tage-VERSION-Linux.tar.gz    the static-pie program for any Linux on x86-64
#                                (build/linux-static); tage-VERSION-Linux-aarch64.tar.gz
#                                for arm64 and tage-VERSION-Linux-ARCH.tar.gz for the
#                                others (build/linux-ARCH-static): static-pie for i386,
#                                plain static where the C library has no static-pie
#   tage-VERSION-win64.zip       tage.exe with LIESMICH.txt and LIZENZ.txt (build/windows)
#   tage-VERSION-win64.msi       the same as a Windows installer (build/windows)
#
# and, from SHA256SUMS, the manifests with which winget and Scoop install the Windows
# packages from the download address below (packaging/store_manifests.sh).
#
# Every transcript passes on each Linux program before it is packed, and the unit tests
# on each dynamic one, those of other architectures under qemu-user.
#
# The bytes depend only on the sources and the time stamp (SOURCE_DATE_EPOCH, else the
# last commit), not on the folder, the user, the umask or the time zone.
#
#   packaging/release.sh [--no-tests]   (--no-tests: only build and pack, for a second
#                                        build whose bytes are compared with the first)
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(tage VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# Where the packages are published: the address the winget and Scoop manifests name.
download="${TAGE_DOWNLOAD:-https://tage.invalid/download/$version}"
tests=yes
[[ "${1:-}" == --no-tests ]] && tests=no
cross_architectures=(arm64 i386 armhf s390x ppc64el riscv64 mips64el)

# PRESET [WORKFLOW]: configure, build, test (unless --no-tests) and pack, by the workflow
# of the preset's name unless another is named.
release() {
  if [[ $tests == yes ]]; then
    cmake --workflow --preset "${2:-$1}"
  else
    cmake --preset "$1" && cmake --build --preset "$1" && cpack --preset "$1"
  fi
}
release default release
release linux-static
for architecture in "${cross_architectures[@]}"; do
  release "linux-$architecture"
  release "linux-$architecture-static"
done
cmake --workflow --preset windows-release  # its tests run under Wine: ctest --preset windows
cmake --build --preset windows --target msi

rm -rf build/release
mkdir -p build/release
packaging/source_tarball.sh build/release
cp build/default/tage_*.deb build/linux-static/tage-*-Linux.tar.gz build/windows/tage-*-win64.zip \
  build/windows/tage-*-win64.msi build/release/
for architecture in "${cross_architectures[@]}"; do
  cp "build/linux-$architecture"/tage_*.deb "build/linux-$architecture-static"/tage-*.tar.gz \
    build/release/
done
(cd build/release && sha256sum -- tage* >SHA256SUMS && cat SHA256SUMS)
packaging/store_manifests.sh build/release "$download"
