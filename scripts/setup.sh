#!/usr/bin/env bash
# Installs what building, running and testing Tintmesh need on a Debian machine, and only
# what is missing: quick when everything is there. Usage: scripts/setup.sh run|test
set -euo pipefail

purpose="${1:-test}"
packages=(cmake make g++ g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 fonts-liberation python3 xvfb)
if [ "$purpose" = "test" ]; then
  packages+=(libgtest-dev clang libclang-rt-14-dev xdotool imagemagick x11-utils)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep "install ok installed" >/dev/null; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "installing: ${missing[*]}"
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
