#!/usr/bin/env bash
# Installs what is missing, builds, and then starts the clock (run) or passes the tests (test).
#   ./build.sh run     build and start the clock
#   ./build.sh test    build and run the whole test suite (also instrumented with the sanitizers)
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-run}

packages=(
  cmake ninja-build g++ pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev qt6-wayland libgl-dev
  qt6-multimedia-dev gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-libav
  gstreamer1.0-tools timgm6mb-soundfont
  libjpeg-dev libwmf-dev libespeak-ng-dev espeak-ng-data espeak-ng
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  xvfb x11-apps imagemagick xauth
  xinetd python3-dbusmock clang libclang-rt-14-dev clang-format
  desktop-file-utils appstream dpkg-dev libx11-dev libxdamage-dev weston x11-utils xdg-utils
)
# A real NTP server for the tests, on loopback. Installing it replaces systemd-timesyncd, so a
# desktop that only runs the clock does without it.
[ "$what" = test ] && packages+=(chrony)
# The C library's own names, so the leak checker's stacks through it read as the suppressions
# name them (an allocation inside vasprintf has no other frame to go by).
[ "$what" = test ] && packages+=(libc6-dbg)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # No sync after every file unpacked: a machine that crashes mid-install reinstalls anyway.
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    -o Dpkg::Options::=--force-unsafe-io "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
# Line tables only: enough for every trace and sanitizer report, and a quarter less compiling.
# Each target compiled a handful of files at a time (a unity build): Qt's headers are parsed once
# per handful instead of once per file, which halves a build from scratch. Incremental builds in
# an editor's own folder are better served file by file, which is CMake's default.
common=(-DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
        -DCMAKE_UNITY_BUILD=ON)
build() { # build FOLDER [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${common[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

case "$what" in
  run)
    build build -DVESKEL_TESTS=OFF -DVESKEL_BENCHMARKS=OFF
    exec ./build/veskel
    ;;
  test)
    tools/check-format.sh
    tools/check-layers.sh
    build build
    (cd build && ctest --output-on-failure -j "$jobs")
    # -O1, as the sanitizers' authors advise: their checks hold the same, for half the compiling.
    build build-sanitize -DVESKEL_SANITIZE=ON -DVESKEL_BENCHMARKS=OFF \
      -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
    (cd build-sanitize && ctest --output-on-failure -j "$jobs")
    # The parsers' fuzz targets, briefly, from the writers' own files: they must build and hold.
    CC=clang CXX=clang++ build build-fuzz -DVESKEL_FUZZ=ON
    for target in build-fuzz/fuzz/*_fuzz; do
      name=$(basename "$target" _fuzz)
      corpus=$(mktemp -d)
      cp build-fuzz/fuzz/corpus/"${name%%_*}"/* "$corpus"/ 2>/dev/null || true
      ASAN_OPTIONS=detect_leaks=0 "$target" -runs=20000 -max_len=4096 "$corpus" >/dev/null 2>&1 \
        || { echo "fuzz target $target failed"; rm -rf "$corpus"; exit 1; }
      rm -rf "$corpus"
    done
    echo "fuzz targets passed"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
