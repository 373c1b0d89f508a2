#!/usr/bin/env bash
# Builds every release package from this source tree, each kind in its own build folder,
# and gathers them with their SHA256SUMS in build/release:
#
#   tage-VERSION.tar.gz          the source release: exactly the files git tracks
#   tage_VERSION_ARCH.deb        the dynamic program for Debian, for each Linux target of
#                                packaging/targets.txt (build/default for this machine's,
#                                build/linux-ARCH for the others)
#   tage-VERSION-PACKAGE.tar.gz  the one-file program for any Linux of that architecture,
#                                static-pie or plain static as the table says
#                                (build/linux-static, build/linux-ARCH-static)
#   tage-VERSION-win64.zip       tage.exe with LIESMICH.txt and LIZENZ.txt (build/windows)
#   tage-VERSION-win64.msi       the same as a Windows installer (build/windows)
#   tage-VERSION.tgz             the npm package: tage.wasm with its launcher for Node.js
#                                (build/wasm)
#   tage-VERSION-web.zip         the page that runs tage.wasm in a browser (build/wasm)
#
# and, from SHA256SUMS, the manifests with which winget and Scoop install the Windows
# packages from the download address below (packaging/store_manifests.sh).
#
# Every transcript passes on each Linux program before it is packed, and the unit tests
# on each dynamic one, those of other architectures under qemu-user; on tage.wasm under
# Node and in the page in headless Chromium.
#
# The bytes depend only on the sources and the time stamp (SOURCE_DATE_EPOCH, else the
# last commit), not on the folder, the user, the umask or the time zone.
#
#   packaging/release.sh [--no-tests]   (--no-tests: only build and pack, for a second
#                                        build whose bytes are compared with the first)
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(packaging/identity.sh version)
source packaging/targets.sh
# Where the packages are published: the address the winget and Scoop manifests name.
download="${TAGE_DOWNLOAD:-https://tage.invalid/download/$version}"
tests=yes
[[ "${1:-}" == --no-tests ]] && tests=no

# PRESET [WORKFLOW]: configure, build, test (unless --no-tests) and pack, by the workflow
# of the preset's name unless another is named.
release() {
  if [[ $tests == yes ]]; then
    cmake --workflow --preset "${2:-$1}"
  else
    cmake --preset "$1" && cmake --build --preset "$1" && cpack --preset "$1"
  fi
}
mapfile -t targets < <(linux_targets)
for target in "${targets[@]}"; do
  read -r dynamic static < <(builds_of "${target%% *}")
  if [[ $dynamic == default ]]; then
    release default release  # the README's test workflow, then the package
  else
    release "$dynamic"
  fi
  release "$static"
done
cmake --workflow --preset windows-release  # its tests run under Wine: ctest --preset windows
cmake --build --preset windows --target msi
release wasm
cmake --build --preset wasm --target npm_package

# Every file the release holds, from where it was made (packaging/targets.sh).
rm -rf build/release
mkdir -p build/release
packaging/source_tarball.sh build/release
files=()
while read -r folder name; do
  [[ $folder == - ]] || cp "$folder/$name" build/release/
  files+=("$name")
done < <(release_files "$version")
(cd build/release && sha256sum -- "${files[@]}" >SHA256SUMS && cat SHA256SUMS)
packaging/store_manifests.sh build/release "$download"
