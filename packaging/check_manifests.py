#!/usr/bin/env python3
"""The winget and Scoop manifests of a release parse, name its version and carry the
hashes of its SHA256SUMS for the ZIP and the MSI.

    packaging/check_manifests.py RELEASE_FOLDER VERSION PACKAGE WINGET_ID   (PACKAGE: win64)
"""
import json
import pathlib
import sys

import yaml


def main(release, version, package, identifier):
    release = pathlib.Path(release)
    sums = {}
    for line in (release / "SHA256SUMS").read_text().splitlines():
        digest, name = line.split()
        sums[name.lstrip("*")] = digest
    zip_name, msi_name = f"tage-{version}-{package}.zip", f"tage-{version}-{package}.msi"
    winget = {path.name: yaml.safe_load(path.read_text(encoding="utf-8"))
              for path in (release / "winget").glob("*.yaml")}
    assert len(winget) == 3, winget.keys()
    assert all(manifest["PackageVersion"] == version for manifest in winget.values())
    assert all(manifest["PackageIdentifier"] == identifier for manifest in winget.values())
    installers = winget[f"{identifier}.installer.yaml"]["Installers"]
    by_type = {installer["InstallerType"]: installer for installer in installers}
    assert by_type["zip"]["InstallerSha256"].lower() == sums[zip_name]
    assert by_type["zip"]["InstallerUrl"].endswith("/" + zip_name)
    assert by_type["zip"]["NestedInstallerFiles"][0]["PortableCommandAlias"] == "tage"
    assert by_type["wix"]["InstallerSha256"].lower() == sums[msi_name]
    assert by_type["wix"]["InstallerUrl"].endswith("/" + msi_name)
    scoop = json.loads((release / "scoop" / "tage.json").read_text(encoding="utf-8"))
    assert scoop["version"] == version and scoop["bin"] == "tage.exe"
    assert scoop["architecture"]["64bit"]["hash"] == sums[zip_name]
    print("winget and Scoop manifests: parse, version", version, "and hashes match SHA256SUMS")


if __name__ == "__main__":
    main(*sys.argv[1:])
