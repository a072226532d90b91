#!/usr/bin/env bash
# The long fuzz run: the palette readers' fuzzer (the format check and both readers, with
# AddressSanitizer and UndefinedBehaviorSanitizer) for FUZZ_RUNS executions (default 10
# million; about half an hour on one core here). It starts from the corpus kept in tests/fuzz/corpus/
# and, when it found nothing, merges what it learnt back there, minimised, to be committed.
# Exits non-zero on any finding, leaving the input in build/fuzz/ (see scripts/fuzz.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh test
work="$root/build/fuzz/long-corpus"
rm -rf "$work"
mkdir -p "$work" tests/fuzz/corpus
FUZZ_RUNS="${FUZZ_RUNS:-10000000}" FUZZ_CORPUS="$work" scripts/fuzz.sh
merged="$root/build/fuzz/merged-corpus"
rm -rf "$merged"
mkdir -p "$merged"
build/fuzz/palette_fuzz -merge=1 "$merged" tests/fuzz/corpus "$work" >/dev/null 2>&1
rm -f tests/fuzz/corpus/*
cp "$merged"/* tests/fuzz/corpus/
echo "fuzz corpus: $(ls tests/fuzz/corpus | wc -l) inputs in tests/fuzz/corpus"
