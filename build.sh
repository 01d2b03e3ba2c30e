#!/usr/bin/env bash
# Installs what is missing, builds, and then starts the clock (run) or passes the tests (test).
#   ./build.sh run     build and start the clock
#   ./build.sh test    build and run the whole test suite (also instrumented with the sanitizers)
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-run}

packages=(
  cmake ninja-build g++ pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libjpeg-dev libwmf-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  xvfb x11-apps imagemagick xauth
  xinetd clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
build() { # build FOLDER [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

case "$what" in
  run)
    build build -DVESKEL_TESTS=OFF -DVESKEL_BENCHMARKS=OFF
    exec ./build/veskel
    ;;
  test)
    build build
    (cd build && ctest --output-on-failure -j "$jobs")
    build build-sanitize -DVESKEL_SANITIZE=ON -DVESKEL_BENCHMARKS=OFF
    (cd build-sanitize && ctest --output-on-failure -j "$jobs")
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
