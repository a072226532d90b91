#!/usr/bin/env bash
# Sets up what is missing and runs every test: the behaviour tests (native, fake system
# side), the artwork check, both Windows builds with their import check, the release zip
# with its check (scripts/check_release.py), the palette fuzzer and the end-to-end tests
# under Wine. Ends with one line "N passed, M failed".
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
started=$SECONDS
scripts/setup.sh test || exit 1
stage_times=("$(printf '%-16s %5d s' setup $((SECONDS - started)))")

passed=0
failed=0
jobs="$(nproc)"
log="$root/build/test-logs"
mkdir -p "$log"

# Adds the counts of a closing "N passed, M failed" line, or counts the step once.
tally() {  # name status [output-file]
  local name="$1" status="$2" file="${3:-}" line=""
  if [ -n "$file" ]; then line="$(grep -E '^[A-Za-z]*:? ?[0-9]+ passed, [0-9]+ failed' "$file" | tail -n 1)"; fi
  if [ -n "$line" ]; then
    local p f
    p="$(grep -oE '[0-9]+ passed' <<<"$line" | grep -oE '[0-9]+')"
    f="$(grep -oE '[0-9]+ failed' <<<"$line" | grep -oE '[0-9]+')"
    passed=$((passed + p)); failed=$((failed + f))
    [ "$status" -ne 0 ] && [ "$f" -eq 0 ] && failed=$((failed + 1))
  elif [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
  if [ "$status" -eq 0 ]; then echo "== $name: ok"; else echo "== $name: FAILED"; fi
}

run() {  # name command...
  local name="$1" start=$SECONDS status; shift
  echo "== $name"
  "$@" 2>&1 | tee "$log/$name.log"
  status="${PIPESTATUS[0]}"
  tally "$name" "$status" "$log/$name.log"
  stage_times+=("$(printf '%-16s %5d s' "$name" $((SECONDS - start)))")
}

behaviour() {
  cmake --preset host >/dev/null && cmake --build build/host -j"$jobs" &&
    ctest --test-dir build/host -j"$jobs" --output-on-failure > "$log/ctest.out" 2>&1
  local status=$?
  cat "$log/ctest.out"
  local total bad
  total="$(grep -oE 'out of [0-9]+' "$log/ctest.out" | grep -oE '[0-9]+' | tail -n 1)"
  bad="$(grep -oE '[0-9]+ tests failed' "$log/ctest.out" | grep -oE '[0-9]+' | tail -n 1)"
  [ -n "$total" ] && echo "behaviour: $((total - ${bad:-0})) passed, ${bad:-0} failed"
  return $status
}

# The behaviour and palette-file tests again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer: any memory error, leak or undefined behaviour fails them.
sanitizers() {
  cmake --preset host-asan >/dev/null && cmake --build build/host-asan -j"$jobs" &&
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build/host-asan -j"$jobs" --output-on-failure
}

windows_builds() {
  local status=0
  for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null && cmake --build "build/$preset" -j"$jobs" || status=1
  done
  for preset in win32 win64; do
    local dump="$log/imports-$preset.txt" arch=i686
    [ "$preset" = win64 ] && arch=x86_64
    objdump -p "build/$preset/Tintmesh.exe" 2>/dev/null | sed -n 's/.*DLL Name: //p' > "$dump" ||
      "$arch-w64-mingw32-objdump" -p "build/$preset/Tintmesh.exe" | sed -n 's/.*DLL Name: //p' > "$dump"
    echo "$preset imports: $(tr '\n' ' ' < "$dump")"
    # No import list means the check could not read the program: that is a failure too.
    if [ ! -s "$dump" ]; then
      echo "$preset: could not read the import list of Tintmesh.exe"; status=1
    fi
    # Statically linked: only Windows system libraries.
    if grep -viE '^(kernel32|user32|gdi32|comdlg32|shell32|advapi32|msvcrt)\.dll$' "$dump" >/dev/null; then
      echo "$preset: Tintmesh.exe depends on a library that is not part of Windows"; status=1
    fi
  done
  return $status
}

run behaviour behaviour
run sanitizers sanitizers
run artwork python3 tests/resources/check_artwork.py
run windows-builds windows_builds
run release scripts/release.sh
run fuzz env FUZZ_SECONDS="${FUZZ_SECONDS:-60}" scripts/fuzz.sh
run end-to-end scripts/e2e.sh

echo
echo "Time per stage:"
printf '  %s\n' "${stage_times[@]}"
printf '  %-16s %5d s\n' "all" $((SECONDS - started))
echo "Tintmesh tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
