#!/usr/bin/env bash
# Builds, runs and tests the program on Debian 12, installing what each step needs first.
#   ./build.sh run     the Linux desktop program
#   ./build.sh test    every test: native, and the Windows build under Wine
#   ./build.sh bench   the benchmarks (figures in README.md)
set -euo pipefail
cd "$(dirname "$0")"

# The native build: the program, its tests and benchmarks.
native_packages=(cmake ninja-build g++ pkg-config python3 qt6-base-dev libgtest-dev libbenchmark-dev
                 libx11-dev fonts-dejavu-core)
# The Windows builds and the tests that need a real X server or Wine.
test_packages=(googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 xvfb xauth xdotool
               python3 python3-pefile)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
  cmake --preset "$1"
  cmake --build --preset "$1"
}

case "${1:-}" in
  run)
    install_packages "${native_packages[@]}"
    build linux
    if [ -x build/linux/ui/qt/m3u8 ]; then exec build/linux/ui/qt/m3u8; fi
    echo "Built; the desktop program is not part of this tree yet."
    ;;
  test)
    install_packages "${native_packages[@]}" "${test_packages[@]}"
    for preset in linux win32 win64; do build "$preset"; done
    cmake --build --preset win32 --target package  # the zip for Windows users
    for preset in linux win32 win64; do ctest --preset "$preset"; done
    ;;
  bench)
    install_packages "${native_packages[@]}" xvfb
    build linux
    python3 bench/ratios.py build/linux/bench/segment_list_bench
    bench/window_startup.sh build/linux
    ;;
  *)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
