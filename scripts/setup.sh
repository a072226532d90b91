#!/usr/bin/env bash
# Installs what building, running and testing Tintmesh need on a Debian machine, and only
# what is missing: quick when everything is there. Usage: scripts/setup.sh run|test|release
#
# Supported: Debian 12 (bookworm) and later releases that keep its package names. Packages
# are installed with apt-get, as root or through sudo; a user who is neither root nor has
# sudo is told what to install. Afterwards every tool the command needs is checked, and a
# missing one stops the command with the name of the package that brings it.
set -euo pipefail

purpose="${1:-test}"

# The packages of each command. Wine's X11 driver loads the X libraries listed here at run
# time (the Wine packages only recommend them); fontconfig's fc-list finds Liberation Sans,
# which the Wine prefix draws Arial with.
run_packages=(cmake make g++-mingw-w64-x86-64 wine64
              libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1
              libxfixes3 libxxf86vm1 fonts-liberation fontconfig xvfb)
release_packages=(cmake make g++-mingw-w64-i686 python3)
test_packages=("${run_packages[@]}" g++ g++-mingw-w64-i686 python3 libgtest-dev clang
               xdotool imagemagick)

case "$purpose" in
  run) packages=("${run_packages[@]}") ;;
  release) packages=("${release_packages[@]}") ;;
  test) packages=("${test_packages[@]}") ;;
  *) echo "usage: scripts/setup.sh run|test|release" >&2; exit 2 ;;
esac

installed() {  # package
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep "install ok installed" >/dev/null
}

# The major version of the clang that is installed, or else of the one apt would install.
clang_major() {
  if command -v clang >/dev/null; then
    clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1
  else
    apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1
  fi
}

# The fuzzer needs the clang runtime (libFuzzer and the sanitizers) of the same version.
clang_runtime_package() {
  local major
  major="$(clang_major)"
  if [ -n "$major" ]; then echo "libclang-rt-$major-dev"; else echo "libclang-rt-dev"; fi
}

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
  echo "setup: this is not a Debian system (no dpkg or apt-get); install by hand the" \
       "equivalents of these Debian packages: ${packages[*]}" >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ "$purpose" = test ] && installed clang; then
  rt="$(clang_runtime_package)"
  installed "$rt" || missing+=("$rt")
fi

if [ ${#missing[@]} -gt 0 ] || { [ "$purpose" = test ] && ! installed clang; }; then
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then
      sudo=(sudo)
    else
      want=("${missing[@]}")
      [ "$purpose" = test ] && ! installed clang && want+=("$(clang_runtime_package)")
      echo "setup: these Debian packages are missing: ${want[*]}" >&2
      echo "setup: there is no sudo here and you are not root; as root, run:" >&2
      echo "  apt-get update && apt-get install --no-install-recommends ${want[*]}" >&2
      exit 1
    fi
  fi
  "${sudo[@]}" apt-get update -qq
  if [ "$purpose" = test ] && ! installed clang; then
    rt="$(clang_runtime_package)"
    installed "$rt" || missing+=("$rt")
  fi
  echo "installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi

# Every tool the command runs, with the package that brings it.
tools=(cmake:cmake make:make x86_64-w64-mingw32-g++:g++-mingw-w64-x86-64
       x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64 /usr/lib/wine/wine64:wine64
       /usr/lib/wine/wineserver:libwine fc-list:fontconfig Xvfb:xvfb)
case "$purpose" in
  release) tools=(cmake:cmake make:make i686-w64-mingw32-g++:g++-mingw-w64-i686
                  i686-w64-mingw32-windres:binutils-mingw-w64-i686
                  i686-w64-mingw32-objdump:binutils-mingw-w64-i686
                  i686-w64-mingw32-strip:binutils-mingw-w64-i686 python3:python3) ;;
  test) tools+=(g++:g++ i686-w64-mingw32-g++:g++-mingw-w64-i686
                i686-w64-mingw32-objdump:binutils-mingw-w64-i686
                i686-w64-mingw32-strip:binutils-mingw-w64-i686
                python3:python3 clang++:clang xdotool:xdotool import:imagemagick
                convert:imagemagick) ;;
esac
status=0
for entry in "${tools[@]}"; do
  tool="${entry%%:*}" package="${entry#*:}"
  if ! command -v "$tool" >/dev/null; then
    echo "setup: $tool is missing (install the Debian package $package)" >&2
    status=1
  fi
done
if [ "$purpose" != release ] && ! fc-list 2>/dev/null | grep 'LiberationSans-Regular' >/dev/null; then
  echo "setup: the font Liberation Sans is missing (install the Debian package fonts-liberation)" >&2
  status=1
fi
if [ "$purpose" = test ]; then
  if [ ! -f /usr/include/gtest/gtest.h ]; then
    echo "setup: GoogleTest is missing (install the Debian package libgtest-dev)" >&2
    status=1
  fi
  fuzzer="$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a 2>/dev/null || true)"
  if [ ! -f "$fuzzer" ]; then
    echo "setup: the clang runtime with libFuzzer is missing (install the Debian package" \
         "$(clang_runtime_package))" >&2
    status=1
  fi
fi
exit $status
