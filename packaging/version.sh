#!/usr/bin/env bash
# Prints tage's version. It lives in one place, the project() line of CMakeLists.txt, and
# every script asks this one for it.
set -euo pipefail
sed -n 's/^project(tage VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt"
