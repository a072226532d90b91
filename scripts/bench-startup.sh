#!/usr/bin/env bash
# Start-up benchmark under Wine (a benchmark, not a test): builds build/win64/Tintmesh.exe
# and the bare yardsticks of bench/bare_window.c into build/bench/, then times each from its
# start to its painted window, interleaved, STARTUP_ROUNDS times (default 5), and prints the
# medians and the ratio of Tintmesh to the bare program. See bench/startup_bench.py.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh test
cmake --preset win64 >/dev/null
cmake --build build/win64 -j"$(nproc)" --target Tintmesh wine_warmup >/dev/null
out="$root/build/bench"
mkdir -p "$out"
cc=x86_64-w64-mingw32-gcc
$cc -O2 -Wall -Wextra -static -mwindows bench/bare_window.c -o "$out/bare_window.exe"
$cc -O2 -Wall -Wextra -static -mwindows -DBARE_IMPORTS bench/bare_window.c -o "$out/bare_imports.exe" \
    -lcomdlg32 -lshell32 -ladvapi32
exec python3 bench/startup_bench.py "$out" "$root/build/win64/Tintmesh.exe" </dev/null
