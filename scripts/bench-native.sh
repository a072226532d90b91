#!/usr/bin/env bash
# Native benchmarks of the main window on the fake system side (bench/native_bench.cpp),
# built optimised into build/bench-native/: one hit test over the grid (goal: 2 us or less)
# and a Select All plus Sort of all 256 squares with their repaint.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh test
cmake --preset host -B build/bench-native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench-native -j"$(nproc)" --target native_bench >/dev/null
build/bench-native/native_bench "$root/resources"
