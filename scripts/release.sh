#!/usr/bin/env bash
# Builds the i686 release from scratch and packs it: build/release/Tintmesh-1.0-win32.zip
# holds Tintmesh.exe (stripped, statically linked) and ReadMe.txt for Windows users.
# Prints the size of the exe and of the zip, then checks the zip as the test command does.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh release

out="$root/build/release"
version="$(sed -n 's/^project(Tintmesh VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
zip="$out/Tintmesh-$version-win32.zip"
rm -rf "$out"
mkdir -p "$out"
cmake --preset win32 -B "$out/win32" >/dev/null
cmake --build "$out/win32" -j"$(nproc)" --target Tintmesh >/dev/null

python3 - "$out/win32/Tintmesh.exe" scripts/release/ReadMe.txt "$zip" <<'PY'
import sys, zipfile
exe, readme, zip_path = sys.argv[1:]
text = open(readme, encoding="utf-8").read().replace("\r\n", "\n").replace("\n", "\r\n")
with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    z.write(exe, "Tintmesh.exe")
    z.writestr("ReadMe.txt", text.encode("ascii"))
PY

exe_size="$(stat -c %s "$out/win32/Tintmesh.exe")"
zip_size="$(stat -c %s "$zip")"
echo "Tintmesh.exe: $exe_size bytes ($(( (exe_size + 1023) / 1024 )) KiB)"
echo "$(basename "$zip"): $zip_size bytes ($(( (zip_size + 1023) / 1024 )) KiB)"
python3 scripts/check_release.py "$zip"
echo "release: $zip"
