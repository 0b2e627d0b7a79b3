#!/usr/bin/env bash
# Takes a picture of the program's window for people to look at (and for
# the README): starts toridasu.exe under Wine on a display of its own, in a
# Wine virtual desktop (which draws the title bar and frame without a window
# manager, and keeps the picture apart from anything else the prefix runs),
# waits until the window is drawn, saves it as PNG and closes the program.
#
# Usage: scripts/screenshot.sh [--converted] [OUTPUT.png]
#        (default: build/windows/toridasu-window.png; builds the program first
#        when it is missing). With --converted the picture shows the window
#        after converting a sample drawing, with its result box.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/windows"
converted=""
if [ "${1:-}" = "--converted" ]; then converted=yes; shift; fi
out="${1:-$build/toridasu-window.png}"
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac

if [ ! -x "$build/app/toridasu.exe" ] || [ ! -x "$build/tests/toridasu_window_driver.exe" ]; then
  (cd "$root" && cmake --preset windows >/dev/null &&
    cmake --build --preset windows --target toridasu toridasu_window_driver >/dev/null)
fi

work="$(mktemp -d)"
xvfb=""
program=""
cleanup() {
  if [ -n "$program" ] && kill -0 "$program" 2>/dev/null; then kill "$program" 2>/dev/null || true; fi
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own, so that nothing else appears in the picture.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" \
  </dev/null >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

"$build/wine-env.sh" up  # the prefix with its Japanese font substitutes
desktop="/desktop=toridasu-screenshot,800x560"
winpath() { echo "Z:$1" | tr / '\\'; }
"$build/wine-run.sh" explorer "$desktop" "$(winpath "$build/app/toridasu.exe")" \
  </dev/null >"$work/program.log" 2>&1 &
program=$!

# The window is drawn once two pictures in a row are the same and the
# desktop holds something narrower than itself.
shot() { import -display "$DISPLAY" -window root "$1"; }
desktop_only() { convert "$1" -crop 800x560+0+0 +repage "$2"; }
drawn_width() { convert "$1" -trim -format '%w' info: 2>/dev/null || echo 0; }
ready=""
shot "$work/screen.png"
desktop_only "$work/screen.png" "$work/previous.png"
for _ in $(seq 120); do
  sleep 0.5
  shot "$work/screen.png"
  desktop_only "$work/screen.png" "$work/current.png"
  width="$(drawn_width "$work/current.png")"
  if [ "$width" -gt 100 ] && [ "$width" -lt 800 ] &&
    compare -metric AE "$work/previous.png" "$work/current.png" null: 2>/dev/null; then
    ready=yes
    break
  fi
  mv "$work/current.png" "$work/previous.png"
done
if [ -z "$ready" ]; then
  echo "screenshot.sh: the window did not appear; see $work/program.log" >&2
  cat "$work/program.log" >&2
  exit 1
fi

driver() {
  "$build/wine-run.sh" explorer "$desktop" "$(winpath "$build/tests/toridasu_window_driver.exe")" "$@" \
    </dev/null >/dev/null 2>&1 || true
}
if [ -n "$converted" ]; then
  # A sample drawing with a room name, converted from the window.
  printf '0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n10\r\n12.5\r\n20\r\n-3\r\n1\r\n\x8b\x8f\x8e\xba\r\n0\r\nEOF\r\n' \
    >"$work/plan.dxf"
  driver convert "$(winpath "$work/plan")" "$(winpath "$work/plan")"
  sleep 1
  shot "$work/screen.png"
  desktop_only "$work/screen.png" "$work/current.png"
  driver close TMessageForm
fi

# The desktop shows nothing but the window: cut the picture to it.
convert "$work/current.png" -trim +repage "$out"

# Close the program as its close button would (from the same desktop), or
# end it.
driver close TForm1 TORIDASU
for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
wait "$program" 2>/dev/null || true
program=""
echo "$out: $(identify -format '%w x %h' "$out")"
