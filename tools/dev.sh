#!/usr/bin/env bash
# Sets up a fresh Debian/Ubuntu machine for Skyward, builds it, and then either
# starts the game (run) or runs every test (test).
#   tools/dev.sh run     install what is missing, build, start the game
#   tools/dev.sh test    install what is missing, build, run all tests
#   tools/dev.sh build   install what is missing and build only
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-mixer-dev libxmp-dev libpng-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb openbox xdotool wmctrl x11-utils imagemagick sox
  clang libclang-rt-14-dev
  python3 python3-pil python3-numpy fonts-dejavu-core
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

mode=${1:-run}
install_missing
case "$mode" in
  run)
    build build
    exec build/skyward/skyward
    ;;
  build)
    build build
    ;;
  test)
    werror=OFF
    [ "${CI:-}" = "true" ] && werror=ON
    build build -DSKYWARD_WERROR=$werror
    tools/check_layering.sh
    ctest --test-dir build --output-on-failure -j 2
    # The unit and whole-frame tests once more under AddressSanitizer and
    # UndefinedBehaviorSanitizer (the end-to-end tests run the plain build).
    build build-sanitize -DSKYWARD_WERROR=$werror -DSKYWARD_SANITIZE=ON -DSKYWARD_BENCH=OFF
    ctest --test-dir build-sanitize --output-on-failure -j 2 -LE e2e
    ;;
  *)
    echo "usage: $0 run|test|build" >&2
    exit 2
    ;;
esac
