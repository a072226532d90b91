#!/bin/sh
# Runs the end-to-end tests against build/win64/Tintmesh.exe and
# build/win64/wine_warmup.exe (build them first; this script builds nothing).
# Each test gets its own Xvfb and a copy of one freshly booted Wine prefix.
# Prints one line per test and ends with "N passed, M failed"; exits non-zero
# when any test failed. Arguments go to tests/e2e/run.py (-k TEXT runs only
# the tests whose name contains TEXT).
cd "$(dirname "$0")/.." || exit 1
exec python3 tests/e2e/run.py "$@" </dev/null
