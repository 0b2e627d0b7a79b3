#!/usr/bin/env bash
# Builds the Windows programs and packs them for users:
# build/package/toridasu-VERSION-win32.zip with toridasu.exe, toridasu-cli.exe,
# a Japanese read-me (Shift-JIS, CR LF, as Notepad expects) and the licence.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh >&2
cmake --preset windows >/dev/null
cmake --build --preset windows --target toridasu toridasu-cli >&2
version="$(sed -n 's/^#define TORIDASU_VERSION "\(.*\)"$/\1/p' build/windows/generated/version.h)"
name="toridasu-$version-win32"
stage="build/package/$name"
rm -rf "$stage" "build/package/$name.zip"
mkdir -p "$stage"
cp build/windows/app/toridasu.exe build/windows/cli/toridasu-cli.exe "$stage/"
i686-w64-mingw32-strip "$stage"/*.exe
# Text files for Windows users: CR LF line ends; the read-me in Shift-JIS.
sed "s/@VERSION@/$version/" resources/package/readme-ja.txt | sed 's/$/\r/' \
  | iconv -f UTF-8 -t CP932 > "$stage/readme.txt"
sed 's/$/\r/' LICENSE > "$stage/LICENSE.txt"
(cd build/package && zip -qr "$name.zip" "$name")
echo "$root/build/package/$name.zip"
