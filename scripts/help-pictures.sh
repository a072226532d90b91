#!/bin/sh
# Takes the help window's pictures of pages 2 to 8 from the real program and
# writes them to resources/helppage2.bmp ... helppage8.bmp. It runs
# build/win64/Tintmesh.exe (build it first) under Wine in a private Xvfb and
# walks through the tutorial's workflow with xdotool. Running it again on the
# same program writes the same files. Rebuild the programs afterwards so they
# carry the new pictures.
cd "$(dirname "$0")/.." || exit 1
exec python3 tests/e2e/help_pictures.py "$@" </dev/null
