#!/usr/bin/env bash
# Writes the manifests with which winget and Scoop install the Windows packages of a
# release, from the release folder's SHA256SUMS:
#
#   FOLDER/winget/ID.yaml                 winget: the version file,
#   FOLDER/winget/ID.installer.yaml       the ZIP (tage.exe as a portable command `tage`)
#                                         and the MSI,
#   FOLDER/winget/ID.locale.de-DE.yaml    and the German description;
#   FOLDER/scoop/tage.json                Scoop: the ZIP, `tage` on the PATH.
#
# ID is the name winget knows tage by (packaging/identity.sh winget-id). DOWNLOAD is the
# address the packages are published under; the manifests name DOWNLOAD/FILE for each.
#
#   packaging/store_manifests.sh FOLDER DOWNLOAD
set -euo pipefail
cd "$(dirname "$0")/.."
folder="$1"
download="$2"
version=$(packaging/identity.sh version)
zip="tage-$version-win64.zip"
msi="tage-$version-win64.msi"
hash_of() { awk -v file="$1" '$2 == file || $2 == "*" file { print $1 }' "$folder/SHA256SUMS"; }
zip_hash=$(hash_of "$zip")
msi_hash=$(hash_of "$msi")
[[ -n "$zip_hash" && -n "$msi_hash" ]] || { echo "SHA256SUMS lacks $zip or $msi"; exit 1; }
product_code=$(msiinfo export "$folder/$msi" Property | awk '$1 == "ProductCode" { print $2 }' | tr -d '\r')
identifier=$(packaging/identity.sh winget-id)
maintainer=$(packaging/identity.sh maintainer)
description=$(packaging/identity.sh description)
manifest_version=1.6.0
# TEXT as a string in double quotes, as YAML and JSON both read it.
quoted() {
  local text="${1//\\/\\\\}"
  printf '"%s"' "${text//\"/\\\"}"
}

mkdir -p "$folder/winget" "$folder/scoop"
cat >"$folder/winget/$identifier.yaml" <<YAML
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.version.$manifest_version.schema.json
PackageIdentifier: $identifier
PackageVersion: $version
DefaultLocale: de-DE
ManifestType: version
ManifestVersion: $manifest_version
YAML
cat >"$folder/winget/$identifier.installer.yaml" <<YAML
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.installer.$manifest_version.schema.json
PackageIdentifier: $identifier
PackageVersion: $version
Installers:
- Architecture: x64
  InstallerType: zip
  NestedInstallerType: portable
  NestedInstallerFiles:
  - RelativeFilePath: tage-$version-win64\\tage.exe
    PortableCommandAlias: tage
  InstallerUrl: $download/$zip
  InstallerSha256: ${zip_hash^^}
- Architecture: x64
  InstallerType: wix
  Scope: machine
  InstallerUrl: $download/$msi
  InstallerSha256: ${msi_hash^^}
  ProductCode: '$product_code'
ManifestType: installer
ManifestVersion: $manifest_version
YAML
cat >"$folder/winget/$identifier.locale.de-DE.yaml" <<YAML
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.defaultLocale.$manifest_version.schema.json
PackageIdentifier: $identifier
PackageVersion: $version
PackageLocale: de-DE
Publisher: $(quoted "$maintainer")
PackageName: tage
License: MIT
ShortDescription: $(quoted "$description")
Moniker: tage
ManifestType: defaultLocale
ManifestVersion: $manifest_version
YAML
cat >"$folder/scoop/tage.json" <<JSON
{
  "version": "$version",
  "description": $(quoted "$description"),
  "homepage": "$download",
  "license": "MIT",
  "architecture": {
    "64bit": {
      "url": "$download/$zip",
      "hash": "$zip_hash",
      "extract_dir": "tage-$version-win64"
    }
  },
  "bin": "tage.exe"
}
JSON
echo "winget and Scoop manifests for $version in $folder/winget and $folder/scoop"
