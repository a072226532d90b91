#!/usr/bin/env bash
# Fuzzes the palette file readers: builds tests/fuzz/palette_fuzz.cpp with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer into build/fuzz/, seeds the corpus from the
# test fixtures, the real-world palettes in tests/palettes/ and the kept corpus in
# tests/fuzz/corpus/, and runs for FUZZ_SECONDS (default 60), or for FUZZ_RUNS executions
# when that is set (then with no time limit). FUZZ_CORPUS names the folder the corpus grows
# in (default build/fuzz/corpus). Exits non-zero on any finding; the failing input is left
# in build/fuzz/ as crash-*, leak-*, timeout-* or oom-*.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${FUZZ_SECONDS:-60}"
runs="${FUZZ_RUNS:-}"
out="$root/build/fuzz"
corpus="${FUZZ_CORPUS:-$out/corpus}"
cxx="${FUZZ_CXX:-clang++}"

mkdir -p "$out/seeds" "$corpus"
"$cxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$root" "$root/tests/fuzz/palette_fuzz.cpp" "$root/palettefiles/PaletteFile.cpp" \
    -o "$out/palette_fuzz"

shopt -s nullglob
cp -f "$root"/tests/palettefiles/fixtures/* "$out/seeds/"
cp -f "$root"/tests/palettes/*.pal "$root"/tests/palettes/*.PAL "$out/seeds/"
cp -f "$root"/tests/fuzz/corpus/* "$out/seeds/" 2>/dev/null || true

if [ -n "$runs" ]; then
  echo "fuzzing the palette readers for $runs executions"
  limit=(-runs="$runs")
else
  echo "fuzzing the palette readers for ${seconds} s"
  limit=(-max_total_time="$seconds")
fi
"$out/palette_fuzz" "${limit[@]}" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/" "$corpus" "$out/seeds"
