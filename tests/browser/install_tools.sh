#!/usr/bin/env bash
# Installs what the page's tests need from npm into TOOLS, a folder of the build, exactly as
# package-lock.json beside this script pins it; does nothing where that is installed already.
# Where npm cannot install it (no network, say), the tests that need it are skipped.
#
#   install_tools.sh TOOLS
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
tools="$1"
stamp="$tools/node_modules/.installed-from-lock"
if cmp -s "$here/package-lock.json" "$stamp"; then
  echo "the browser tests' npm packages are installed in $tools"
  exit 0
fi
mkdir -p "$tools"
cp "$here/package.json" "$here/package-lock.json" "$tools/"
if ! (cd "$tools" && npm ci --no-audit --no-fund --no-update-notifier); then
  failed=0
  source "$here/../system/skipping.sh"
  skip_rest "npm ci failed in $tools: the npm registry cannot be reached?"
fi
cp "$here/package-lock.json" "$stamp"
