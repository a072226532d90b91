#!/usr/bin/env bash
# Sets up what is missing, builds Tintmesh.exe and runs it under Wine on this display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh run
cmake --preset win64 >/dev/null
cmake --build build/win64 -j"$(nproc)" --target Tintmesh >/dev/null
if [ -z "${DISPLAY:-}" ]; then
  echo "No X display: run this from a desktop session (DISPLAY is not set)." >&2
  exit 1
fi
. scripts/wine-prefix.sh "${TINTMESH_PREFIX:-$HOME/.local/share/tintmesh/wineprefix}"
exec "$TINTMESH_WINE" "$root/build/win64/Tintmesh.exe" </dev/null
