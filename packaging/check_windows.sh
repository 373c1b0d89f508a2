#!/usr/bin/env bash
# The Windows program and its packages in build/release (run packaging/release.sh first):
#
# - every test of build/windows passes under Wine, in a Wine prefix of its own;
# - the ZIP is one folder holding exactly tage.exe, LIESMICH.txt and LIZENZ.txt;
# - tage.exe has no debug sections, ASLR with high entropy and DEP, needs only
#   KERNEL32.dll and msvcrt.dll, carries this version, German resources and a manifest
#   that names Windows 7 to 11; both texts have a UTF-8 byte-order mark and CR LF line
#   ends, and the licence names what tage.exe carries of mingw-w64;
# - the MSI installs without questions into a new Wine prefix: a new console finds tage on
#   the PATH and its output is the transcript's, the Start-menu entry opens cmd with it,
#   and uninstalling leaves nothing behind;
# - the winget and Scoop manifests parse, name this version and carry the hashes of
#   SHA256SUMS (packaging/check_manifests.py).
#
#   packaging/check_windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source packaging/checks.sh
source packaging/targets.sh
version=$(packaging/identity.sh version)
read -r _ triplet _ _ _ _ package < <(target_row windows)
release=build/release
transcript=tests/transcripts/distant_years
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEDEBUG=-all WINEPREFIX="$work/wine"

mkdir -p "$WINEPREFIX"
wineserver -p  # one server for all runs, instead of one start-up per transcript
wineboot -i    # create the prefix now, not inside the first transcript's time limit
ctest --preset windows
wineserver -k

zip="$release/tage-$version-$package.zip"
folder=$(basename "$zip" .zip)
listing=$(cmake -E tar tf "$zip" | sort)
[[ "$listing" == "$(printf '%s\n' "$folder/LIESMICH.txt" "$folder/LIZENZ.txt" "$folder/tage.exe")" ]] ||
  fail "unexpected ZIP contents: $listing"
mkdir "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$OLDPWD/$zip")
exe="$work/zip/$folder/tage.exe"
shows '\.debug' "$triplet-objdump" -h "$exe" && fail "tage.exe has debug sections"
pe=$("$triplet-objdump" -p "$exe")
for property in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do grep -q "$property" <<<"$pe"; done
[[ $(grep 'DLL Name' <<<"$pe" | awk '{ print $3 }' | sort | tr '\n' ' ') == "KERNEL32.dll msvcrt.dll " ]] ||
  fail "tage.exe needs other DLLs"
python3 tests/packaging/exe_version.py "$exe" "$version" "$(packaging/identity.sh description)" \
  "$(packaging/identity.sh maintainer)" "$(packaging/identity.sh copyright-years)"
for text in LIESMICH.txt LIZENZ.txt; do
  file="$work/zip/$folder/$text"
  head -c 3 "$file" | cmp - <(printf '\357\273\277')  # a UTF-8 byte-order mark
  # Every line ends in CR LF, the last one too.
  [[ $(grep -c $'\r$' "$file") == $(wc -l <"$file") && $(tail -c 2 "$file" | od -An -c | tr -d ' ') == '\r\n' ]] ||
    fail "$text: a line that does not end in CR LF"
done
grep -q 'winpthreads' "$work/zip/$folder/LIZENZ.txt"
grep -q 'mingw-w64 project' "$work/zip/$folder/LIZENZ.txt"
resources=$("$triplet-windres" -i "$exe" -O rc)
grep -q -x 'LANGUAGE 7, 1' <<<"$resources"
[[ $(grep -c 'supportedOS Id' <<<"$resources") == 4 ]]
echo "$zip: ok"

msi="$release/tage-$version-$package.msi"
export WINEPREFIX="$work/wine-msi"
mkdir -p "$WINEPREFIX"
wineboot -i
wine msiexec /i "$msi" /qn
installed="$WINEPREFIX/drive_c/Program Files/tage"
[[ $(ls "$installed" | tr '\n' ' ') == "LIESMICH.txt LIZENZ.txt tage.exe " ]]
cmp "$installed/tage.exe" "$exe"
wineserver -k  # the next console starts with the PATH the installer wrote
wine cmd /c "tage < $(winepath -w "$PWD/$transcript.in")" | cmp - <(sed 's/$/\r/' "$transcript.out")
shortcut=$(find "$WINEPREFIX/drive_c" -name tage.lnk)
[[ -n "$shortcut" ]] || fail "no Start-menu entry"
shows 'cmd\.exe' strings -e l "$shortcut"
wine msiexec /x "$msi" /qn
wineserver -k
[[ ! -e "$installed" && -z $(find "$WINEPREFIX/drive_c" -iname 'tage*') ]] ||
  fail "the uninstall left files behind"
shows 'tage' wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v PATH &&
  fail "the uninstall left tage on the PATH"
wineserver -k
echo "$msi: installs, runs from the PATH, uninstalls cleanly"

# Debian's Python, which has python3-yaml.
/usr/bin/python3 packaging/check_manifests.py "$release" "$version" "$package" \
  "$(packaging/identity.sh winget-id)"
