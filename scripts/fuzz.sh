#!/usr/bin/env bash
# Runs every fuzz target (libFuzzer, address and undefined-behaviour
# sanitizers) for a while: scripts/fuzz.sh [SECONDS-PER-TARGET]
#
# Each target starts from the project's own seeds (fuzz/seeds/: small
# drawings, number lines or texts, by what the target reads) and, for the
# targets that read drawings, the words of fuzz/dxf.dict and the shared
# drawings of ../shared/corpus (read, never written); the Jw_cad reader's
# from fuzz/seeds/jww, fuzz/jww.dict and ../shared/corpus-jww. What a target finds is
# kept in build/fuzz/corpus-TARGET and grows from run to run.
#
# Long campaigns: run one target for hours on every core, for example
#   build/fuzz/fuzz/fuzz_full -dict=fuzz/dxf.dict -jobs=8 -workers=8 \
#     -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
#     build/fuzz/corpus-fuzz_full fuzz/seeds/drawings
# then shrink what it gathered with -merge=1 into a fresh folder. A crash
# leaves crash-* (or timeout-*, oom-*) in the working folder: run the target
# on that file alone to see it again.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  work="build/fuzz/corpus-$name"
  mkdir -p "$work"
  options=()
  length=4096
  case "$name" in
    fuzz_numbers) seeds=(fuzz/seeds/numbers) ;;
    fuzz_text_decoding) seeds=(fuzz/seeds/texts); options+=(-dict=fuzz/dxf.dict) ;;
    fuzz_jww)
      # A Jw_cad drawing's header alone is some 15 KB from version 4.20 on.
      seeds=(fuzz/seeds/jww)
      options+=(-dict=fuzz/jww.dict)
      length=262144
      [ -d "../shared/corpus-jww" ] && seeds+=("../shared/corpus-jww")
      ;;
    *)
      seeds=(fuzz/seeds/drawings)
      options+=(-dict=fuzz/dxf.dict)
      [ -d "../shared/corpus" ] && seeds+=("../shared/corpus")
      ;;
  esac
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len="$length" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=0 "${options[@]}" "$work" "${seeds[@]}" 2> "build/fuzz/$name.log" || {
      tail -50 "build/fuzz/$name.log"; echo "$name failed"; exit 1; }
  grep -E '^(#[0-9]+ *DONE|Done)' "build/fuzz/$name.log" | tail -1 || true
done
echo "fuzz: no crash, no undefined behaviour, no hang"
