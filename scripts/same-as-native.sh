#!/usr/bin/env bash
# same-as-native.sh NAME NATIVE OTHER...: the converter run as OTHER... (an
# Arm build under emulation, the WebAssembly build under Node, ...) writes the
# native converter's bytes, messages and exit status for every drawing of the
# shared corpus and the Jw_cad samples beside it: in the default mode, in
# full mode with every column, and into workbooks. NAME names it in the
# summary. Exits 77 when there is no corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1
native=$2
shift 2
other=("$@")

# The corpus lies beside the checkout, or beside the folder of worktrees.
corpus=../shared/corpus
[ -d "$corpus" ] || corpus=../../shared/corpus
[ -d "$corpus" ] || { echo "no shared corpus beside the checkout: the $name converter is not run"; exit 77; }
inputs=("$corpus")
[ -d "$corpus-jww" ] && inputs+=("$corpus-jww")
out=$(mktemp -d "${TMPDIR:-/tmp}/toridasu-same-XXXXXX")
trap 'rm -rf "$out"' EXIT
columns=x,y,z,text,type,layer,handle,height,rotation,style,align_x,align_y,align_z,space,block,visible
for mode in "" "--full --hidden --columns $columns" "--format xlsx" "--format xlsx --full"; do
  rm -rf "${out:?}"/*
  # shellcheck disable=SC2086
  status=0; "$native" -q $mode -d "$out/native" "${inputs[@]}" 2> "$out/native.err" || status=$?
  # shellcheck disable=SC2086
  otherStatus=0; "${other[@]}" -q $mode -d "$out/other" "${inputs[@]}" 2> "$out/other.err" || otherStatus=$?
  [ "$status" = "$otherStatus" ] || { echo "exit status $status native, $otherStatus $name"; exit 1; }
  diff "$out/native.err" "$out/other.err"
  if [[ $mode == *xlsx* ]]; then
    # Workbooks hold the same parts, but for the time each was made.
    python3 - "$out/native" "$out/other" <<'PY'
import os, sys, zipfile
native, other = sys.argv[1:]
assert sorted(os.listdir(native)) == sorted(os.listdir(other)), "not the same workbooks"
for name in os.listdir(native):
    with zipfile.ZipFile(os.path.join(native, name)) as a, zipfile.ZipFile(os.path.join(other, name)) as b:
        assert a.namelist() == b.namelist(), name
        for part in a.namelist():
            if part != "docProps/core.xml":
                assert a.read(part) == b.read(part), f"{name}: {part} differs"
PY
  else
    diff -r "$out/native" "$out/other"
  fi
  echo "$name converter${mode:+ $mode}: $(ls "$out/other" | wc -l) files as the native one writes them" | cut -c1-100
done
