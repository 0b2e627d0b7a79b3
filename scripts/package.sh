#!/usr/bin/env bash
# Builds the Windows programs and packs them for users; prints the zip's path:
# build/windows/package/toridasu-VERSION-win32.zip (toridasu.exe,
# toridasu-cli.exe, the page toridasu.html, a Japanese read-me and the
# licence).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh >&2
cmake --preset web >/dev/null
cmake --build --preset web >&2
cmake --preset windows -DTORIDASU_PAGE="$root/build/web/web/toridasu.html" >/dev/null
cmake --build --preset windows --target package_zip >&2
ls "$root"/build/windows/package/toridasu-*-win32.zip
