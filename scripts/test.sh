#!/usr/bin/env bash
# Installs what is missing, builds both programs and runs every test: the
# native build (core, converter, unit tests), the 32-bit Windows build under
# Wine with a Japanese locale, the unit tests again under sanitizers, and a
# short fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset windows -DTORIDASU_NATIVE_CLI="$PWD/build/native/cli/toridasu-cli"
cmake --build --preset windows
ctest --preset windows

# The same unit tests under the address and undefined-behaviour sanitizers,
# then a short run of every fuzz target.
scripts/fuzz.sh "${TORIDASU_FUZZ_SECONDS:-20}"
ctest --preset fuzz
