#!/usr/bin/env bash
# Fuzzes the palette file readers: builds tests/fuzz/palette_fuzz.cpp with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer into build/fuzz/, seeds the corpus from the
# test fixtures and the real-world palettes in tests/palettes/, and runs for FUZZ_SECONDS (default 60).
# Exits non-zero on any finding; the failing input is left in build/fuzz/ as crash-*, leak-*,
# timeout-* or oom-*.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${FUZZ_SECONDS:-60}"
out="$root/build/fuzz"
cxx="${FUZZ_CXX:-clang++}"

mkdir -p "$out/seeds" "$out/corpus"
"$cxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$root" "$root/tests/fuzz/palette_fuzz.cpp" "$root/palettefiles/PaletteFile.cpp" \
    -o "$out/palette_fuzz"

shopt -s nullglob
cp -f "$root"/tests/palettefiles/fixtures/* "$out/seeds/"
cp -f "$root"/tests/palettes/*.pal "$root"/tests/palettes/*.PAL "$out/seeds/"

echo "fuzzing the palette readers for ${seconds} s"
"$out/palette_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/" "$out/corpus" "$out/seeds"
