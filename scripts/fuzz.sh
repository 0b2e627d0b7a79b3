#!/usr/bin/env bash
# A short run of every fuzz target (libFuzzer, address and undefined-behaviour
# sanitizers): scripts/fuzz.sh [SECONDS-PER-TARGET]
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
  seeds=()
  # The shared drawings, where present, are read as seeds (never written).
  [ -d "../shared/corpus" ] && seeds+=("../shared/corpus")
  echo "fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=0 "$work" "${seeds[@]}" 2> "build/fuzz/$name.log" || {
      tail -50 "build/fuzz/$name.log"; echo "$name failed"; exit 1; }
  grep -E '^(#[0-9]+ *DONE|Done)' "build/fuzz/$name.log" | tail -1 || true
done
echo "fuzz: no crash, no undefined behaviour, no hang"
