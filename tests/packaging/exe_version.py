#!/usr/bin/env python3
"""Checks the version strings of tage.exe against the project's identity: each VERSIONINFO
string value stands in the resource as its UTF-16 key, padding and UTF-16 value.

    exe_version.py TAGE_EXE VERSION DESCRIPTION MAINTAINER COPYRIGHT_YEARS
"""
import re
import sys


def string_value(image, key):
    pattern = re.escape(key.encode("utf-16-le")) + rb"\x00\x00(?:\x00\x00)?((?:[^\x00].|\x00[^\x00])*?)\x00\x00"
    match = re.search(pattern, image, re.DOTALL)
    return match.group(1).decode("utf-16-le") if match else None


def main():
    image = open(sys.argv[1], "rb").read()
    version, description, maintainer, years = sys.argv[2:6]
    expected = {
        "FileVersion": version,
        "ProductVersion": version,
        "ProductName": "tage",
        "CompanyName": maintainer,
        "FileDescription": description,
        "LegalCopyright": f"Copyright (c) {years} {maintainer}, MIT-Lizenz",
    }
    failed = False
    for key, value in expected.items():
        found = string_value(image, key)
        if found != value:
            print(f"{key}: {found!r}, expected {value!r}")
            failed = True
    if failed:
        sys.exit(1)
    print("version strings: ok")


if __name__ == "__main__":
    main()
