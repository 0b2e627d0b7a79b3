#!/usr/bin/env bash
# Runs TORIDASU. Installs what is missing and builds what is needed first.
#
#   scripts/run.sh                      the window (toridasu.exe under Wine, Japanese locale);
#                                       without a display it runs on a private one and
#                                       saves a screenshot of the window instead
#   scripts/run.sh DRAWING.dxf [...]    the converter: DRAWING.csv beside each drawing
#                                       (any toridasu-cli options may be given)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" >&2

if [ "$#" -gt 0 ]; then
  (cd "$root" && cmake --preset native >/dev/null && cmake --build --preset native --target toridasu-cli >/dev/null)
  exec "$root/build/native/cli/toridasu-cli" "$@"
fi

(cd "$root" && cmake --preset windows >/dev/null &&
  cmake --build --preset windows --target toridasu toridasu_window_driver >/dev/null)
if [ -z "${DISPLAY:-}" ]; then
  shot="$root/build/windows/toridasu-window.png"
  "$root/scripts/screenshot.sh" "$shot"
  echo "no display: the window ran on a private one; its picture is $shot" >&2
  exit 0
fi
"$root/build/windows/wine-env.sh" up
exec "$root/build/windows/wine-run.sh" "$root/build/windows/app/toridasu.exe"
