#!/usr/bin/env bash
# Builds every library of the project (every folder's but the Windows-only
# window and program; the *_win32.cpp files are Windows-only too) for 64-bit
# Arm Linux with Debian's cross compiler, warnings as errors: the proof that
# the portable code holds no x86 vector instruction and no Windows call; then
# runs that converter on the corpus under emulation.
# The libraries are collected by CMake from the folders (target
# toridasu_libraries), so a new folder is checked without a change here; the
# converter is linked from them as well.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset aarch64 >/dev/null
cmake --build build/aarch64 --target toridasu_libraries toridasu-cli -j"${TORIDASU_JOBS:-2}"

# Run under emulation, the Arm converter writes the native converter's bytes,
# messages and exit status for every drawing of the shared corpus: the plain
# kernels and the arithmetic hold on another processor.
status=0
scripts/same-as-native.sh Arm build/native/cli/toridasu-cli \
  qemu-aarch64 -L /usr/aarch64-linux-gnu build/aarch64/cli/toridasu-cli || status=$?
[ "$status" = 77 ] || exit "$status"
