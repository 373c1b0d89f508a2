#!/usr/bin/env python3
"""Writes CMakePresets.json from packaging/targets.txt: the presets of every target in the
table, beside those that build this machine's program in other ways (sanitize, fuzz).

    packaging/presets.py          writes CMakePresets.json anew
    packaging/presets.py --check  exits 1, saying so, where the file differs from the table
"""
import json
import pathlib
import sys

SOURCE = pathlib.Path(__file__).resolve().parent.parent
TABLE = SOURCE / "packaging" / "targets.txt"
PRESETS = SOURCE / "CMakePresets.json"


def read_targets():
    """The table's rows as dictionaries, in order."""
    columns = ["name", "triplet", "processor", "runner", "machine", "static", "package"]
    targets = []
    for line in TABLE.read_text(encoding="utf-8").splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split(None, len(columns))
        targets.append(dict(zip(columns + ["description"], fields)))
    return targets


def configure(name, display, variables, **more):
    """A configure preset building into build/NAME; a Release build unless it inherits."""
    base = {} if "inherits" in more else {"CMAKE_BUILD_TYPE": "Release"}
    return {"name": name, "displayName": display, **more,
            "binaryDir": "${sourceDir}/build/" + name, "cacheVariables": {**base, **variables}}


def workflow(name, configure_preset, steps):
    return {"name": name, "steps": [{"type": step, "name": configure_preset} for step in steps]}


def presets():
    targets = read_targets()
    native = targets[0]
    windows, wasm = (next(t for t in targets if t["name"] == name) for name in ("windows", "wasm"))
    cross = [t for t in targets[1:] if t not in (windows, wasm)]

    # name, configure preset, package generator (None: not packed)
    configures = [
        configure("default",
                  "Release build, linked dynamically as Debian links its programs (the .deb)",
                  {"CMAKE_EXPORT_COMPILE_COMMANDS": "ON", "TAGE_BENCH": "ON"}),
        configure("linux-static",
                  f"Release build as one {native['static']} program for any Linux (the TGZ, "
                  "and the benchmarks)",
                  {"TAGE_LINK": native["static"], "TAGE_UNIT_TESTS": "OFF", "TAGE_BENCH": "ON"}),
        {"name": "sanitize",
         "displayName": "AddressSanitizer and UndefinedBehaviorSanitizer with clang",
         "binaryDir": "${sourceDir}/build/sanitize",
         "cacheVariables": {"CMAKE_BUILD_TYPE": "Debug", "TAGE_SANITIZE": "ON"}},
        {"name": "fuzz",
         "displayName": "libFuzzer targets with AddressSanitizer and UndefinedBehaviorSanitizer",
         "binaryDir": "${sourceDir}/build/fuzz",
         "cacheVariables": {"CMAKE_BUILD_TYPE": "RelWithDebInfo", "CMAKE_CXX_COMPILER": "clang++",
                            "TAGE_FUZZ": "ON", "TAGE_SANITIZE": "ON"}},
        configure("windows", f"tage.exe for {windows['description']}, cross-compiled with mingw-w64",
                  {"TAGE_UNIT_TESTS": "OFF"},
                  toolchainFile="${sourceDir}/cmake/mingw-w64-x86_64.cmake"),
        configure("wasm", f"tage.wasm: {wasm['description']}, with clang and wasi-libc",
                  {"TAGE_UNIT_TESTS": "OFF"}, toolchainFile="${sourceDir}/cmake/wasi.cmake"),
        {"name": "linux-cross", "hidden": True,
         "displayName": "Cross build for a Debian architecture with Debian's cross compiler, "
                        "tested under qemu-user",
         "toolchainFile": "${sourceDir}/cmake/debian-cross.cmake",
         "cacheVariables": {"CMAKE_BUILD_TYPE": "Release"}},
    ]
    packed = [("default", "DEB"), ("linux-static", "TGZ"), ("windows", "ZIP"), ("wasm", "ZIP")]
    for target in cross:
        name = "linux-" + target["name"]
        configures.append(configure(
            name, f"{target['description']} Linux, linked dynamically (its .deb), "
            "cross-compiled and tested under qemu",
            {"TAGE_DEBIAN_ARCH": target["name"]}, inherits="linux-cross"))
        configures.append(configure(
            name + "-static", f"{target['description']} Linux as one {target['static']} program "
            "(its TGZ), cross-compiled and tested under qemu",
            {"TAGE_DEBIAN_ARCH": target["name"], "TAGE_LINK": target["static"],
             "TAGE_UNIT_TESTS": "OFF"}, inherits="linux-cross"))
        packed += [(name, "DEB"), (name + "-static", "TGZ")]

    # Every build lists its compile commands, whatever the generator, so that a check can
    # read the flags a source was compiled with (packaging/check_linux_packages.sh).
    for preset in configures:
        preset["cacheVariables"].setdefault("CMAKE_EXPORT_COMPILE_COMMANDS", "ON")
    built = [p["name"] for p in configures if not p.get("hidden")]
    builds = [{"name": name, "configurePreset": name} for name in built]
    builds.insert(1, {"name": "tage", "displayName": "Only the program",
                      "configurePreset": "default", "targets": ["tage"]})
    tests = [{"name": name, "configurePreset": name, "output": {"outputOnFailure": True}}
             for name in built]
    packages = [{"name": name, "configurePreset": name, "generators": [generator]}
                for name, generator in packed]
    workflows = [workflow(name, name, ["configure", "build", "test"])
                 for name in ("default", "sanitize", "fuzz", "windows")]
    workflows.insert(1, workflow("linux-static", "linux-static",
                                 ["configure", "build", "test", "package"]))
    workflows += [workflow("release", "default", ["configure", "build", "test", "package"]),
                  workflow("windows-release", "windows", ["configure", "build", "package"])]
    workflows += [workflow(name, name, ["configure", "build", "test", "package"])
                  for name, _ in packed[3:]]
    return {"version": 6,
            "cmakeMinimumRequired": {"major": 3, "minor": 25, "patch": 0},
            "configurePresets": configures, "buildPresets": builds, "testPresets": tests,
            "packagePresets": packages, "workflowPresets": workflows}


def main():
    text = json.dumps(presets(), indent=2) + "\n"
    if sys.argv[1:] == ["--check"]:
        if PRESETS.read_text(encoding="utf-8") != text:
            print(f"{PRESETS.name} differs from {TABLE.name}: run packaging/presets.py")
            return 1
        print(f"{PRESETS.name} matches {TABLE.name}")
        return 0
    PRESETS.write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
