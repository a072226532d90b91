#!/usr/bin/env bash
# Runs the end-to-end suite RUNS times in a row (default 20) against the current builds
# (build them first: cmake --preset win64 && cmake --build build/win64). Keeps every run's
# output in build/e2e-repeat/run-N.log, lists every failing test of every run, and ends
# with "N passed, M failed" counted in runs; exits non-zero unless every run passed.
# Arguments go to scripts/e2e.sh (-k TEXT repeats only the matching tests).
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
runs="${RUNS:-20}"
out="$root/build/e2e-repeat"
rm -rf "$out"
mkdir -p "$out"
good=0
bad=0
for i in $(seq 1 "$runs"); do
  start=$SECONDS
  scripts/e2e.sh "$@" > "$out/run-$i.log" 2>&1
  status=$?
  summary="$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$out/run-$i.log" | tail -n 1)"
  echo "run $i of $runs: ${summary:-no summary} ($((SECONDS - start)) s)"
  if [ "$status" -eq 0 ]; then
    good=$((good + 1))
  else
    bad=$((bad + 1))
    grep -E '^(FAIL|ERROR)' "$out/run-$i.log" | sed 's/^/    /'
    [ -d build/e2e/failures ] && cp -r build/e2e/failures "$out/failures-$i"
  fi
done
echo "e2e runs: $good passed, $bad failed"
[ "$bad" -eq 0 ]
