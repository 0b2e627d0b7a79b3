#!/usr/bin/env bash
# Converts a drawing: scripts/run.sh DRAWING.dxf [-o OUTPUT.csv]
# Installs what is missing and builds the converter first.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ "$#" -eq 0 ]; then
  echo "usage: scripts/run.sh DRAWING.dxf [-o OUTPUT.csv]" >&2
  exit 2
fi
"$root/scripts/install-deps.sh" >&2
(cd "$root" && cmake --preset native >/dev/null && cmake --build --preset native --target toridasu-cli >/dev/null)
exec "$root/build/native/cli/toridasu-cli" "$@"
