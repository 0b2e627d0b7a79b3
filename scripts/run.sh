#!/usr/bin/env bash
# Runs TORIDASU. Installs what is missing and builds what is needed first.
#
#   scripts/run.sh                      the window (toridasu.exe under Wine, Japanese locale);
#                                       without a display it runs on a private one and
#                                       saves a screenshot of the window instead
#   scripts/run.sh DRAWING.dxf [...]    the converter: DRAWING.csv beside each drawing
#                                       (any toridasu-cli options may be given)
#
# What it is doing goes to stderr, the build's progress included: standard
# output belongs to the converter, so that `scripts/run.sh - < a.dxf > a.csv`
# gives the CSV alone.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
stage() { echo "run.sh: $*" >&2; }

stage "installing what is missing"
"$root/scripts/install-deps.sh" >&2

if [ "$#" -gt 0 ]; then
  stage "configuring the native build"
  (cd "$root" && cmake --preset native --log-level=WARNING >&2)
  stage "building the converter"
  (cd "$root" && cmake --build --preset native --target toridasu-cli >&2)
  stage "converting"
  exec "$root/build/native/cli/toridasu-cli" "$@"
fi

stage "configuring the Windows build"
(cd "$root" && cmake --preset windows --log-level=WARNING >&2)
stage "building the window"
(cd "$root" && cmake --build --preset windows --target toridasu toridasu_window_driver >&2)
if [ -z "${DISPLAY:-}" ]; then
  shot="$root/build/windows/toridasu-window.png"
  stage "running the window on a private display"
  "$root/scripts/screenshot.sh" "$shot"
  echo "no display: the window ran on a private one; its picture is $shot" >&2
  exit 0
fi
stage "starting the window"
"$root/build/windows/wine-env.sh" up
exec "$root/build/windows/wine-run.sh" "$root/build/windows/app/toridasu.exe"
