#!/usr/bin/env bash
# Benchmarks the palette file readers: builds bench/palette_bench.cpp natively (g++ -O2) into
# build/bench/ and prints time per read and peak memory for a 256-entry RIFF file, a 256-entry
# JASC file, that JASC file followed by 1 GiB of further lines, and a JASC file whose fourth
# line is 256 MiB long. The files (about 1.3 GiB) go to a temporary folder under BENCH_TMPDIR
# (default: TMPDIR or /tmp) that is removed afterwards.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/bench"
mkdir -p "$out"
g++ -std=c++17 -O2 -Wall -Wextra -I"$root" "$root/bench/palette_bench.cpp" \
    "$root/palettefiles/PaletteFile.cpp" -o "$out/palette_bench"

work="$(mktemp -d "${BENCH_TMPDIR:-${TMPDIR:-/tmp}}/palette-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
"$out/palette_bench" "$work"
