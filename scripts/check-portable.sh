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
# messages and exit status for every drawing of the shared corpus (and the
# Jw_cad samples), in both modes: the plain kernels and the arithmetic hold
# on another processor.
# The corpus lies beside the checkout, or beside the folder of worktrees.
corpus=../shared/corpus
[ -d "$corpus" ] || corpus=../../shared/corpus
[ -d "$corpus" ] || { echo "no shared corpus beside the checkout: the Arm converter is not run"; exit 0; }
# The Jw_cad samples beside it go with it.
inputs=("$corpus")
[ -d "$corpus-jww" ] && inputs+=("$corpus-jww")
out=build/aarch64/corpus-check
arm=(qemu-aarch64 -L /usr/aarch64-linux-gnu build/aarch64/cli/toridasu-cli)
columns=x,y,z,text,type,layer,handle,height,rotation,style,align_x,align_y,align_z,space,block
for mode in "" "--full --columns $columns"; do
  rm -rf "$out" && mkdir -p "$out"
  # shellcheck disable=SC2086
  status=0; build/native/cli/toridasu-cli -q $mode -d "$out/native" "${inputs[@]}" 2> "$out/native.err" || status=$?
  armStatus=0; "${arm[@]}" -q $mode -d "$out/arm" "${inputs[@]}" 2> "$out/arm.err" || armStatus=$?
  [ "$status" = "$armStatus" ] || { echo "exit status $status native, $armStatus on Arm"; exit 1; }
  diff "$out/native.err" "$out/arm.err"
  diff -r "$out/native" "$out/arm"
  echo "Arm converter${mode:+ ${mode%% *}}: $(ls "$out/arm" | wc -l) files as the native one writes them"
done
