#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: install missing Debian packages, configure, build.
# Quiet when everything is already in place.
set -euo pipefail

KETAB_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-webengine-dev qt6-webengine-dev-tools qt6-webchannel-dev qt6-pdf-dev
  libqt6webenginecore6-bin qt6-qpa-plugins libgl-dev
  libjpeg62-turbo-dev libxcb1-dev libmpg123-dev libmp3lame-dev libpulse-dev libasound2-dev
  # read aloud: Qt's text-to-speech over speech-dispatcher and espeak-ng's Persian voice
  qt6-speech-dev qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng espeak-ng espeak-ng-data
  myspell-fa fonts-noto-core fonts-dejavu-core fontconfig ripgrep ccache qpdf
  # the desktop the end-to-end suite drives the program on, and what it reads results with
  xvfb openbox dbus dbus-x11 at-spi2-core python3-pyatspi python3-gi gir1.2-atspi-2.0
  xdotool x11-utils imagemagick poppler-utils xdg-utils
  # sanitizer and fuzzing builds
  clang libclang-rt-14-dev llvm
  # packaging and its validators
  desktop-file-utils appstream lintian dpkg-dev fakeroot file man-db
  # the standard dialogs in Persian; the tools that build the program's own translation
  qt6-translations-l10n qt6-tools-dev qt6-l10n-tools
  # the start-up benchmark watches the display for windows
  libxcb1-dev
)

# Only for benchmarking (ketab_install_packages bench): a peer reader the start-up
# benchmark starts beside the program.
KETAB_BENCH_PACKAGES=(kchmviewer)

# ketab_install_packages [bench]: what the build and tests need; with "bench", also what
# the benchmarks compare against.
ketab_install_packages() {
  local wanted=("${KETAB_PACKAGES[@]}")
  [ "${1:-}" = bench ] && wanted+=("${KETAB_BENCH_PACKAGES[@]}")
  local missing=()
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The compiler cache keys paths relative to the checkout (CCACHE_BASEDIR), so a clone in
# another folder reuses what an earlier one compiled.
ketab_build() {
  local top; top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  cd "$top"
  if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  local log=build/last-build.log
  if ! CCACHE_BASEDIR="$top" cmake --build build --parallel "$(nproc)" >"$log" 2>&1; then
    grep -v -E '^\[[0-9]+/[0-9]+\] ' "$log" | tail -n 80
    echo "Build failed; the full log is $log" >&2
    return 1
  fi
}

# The sanitizer build in build-asan/: the program's code, the decoder library and the
# tests with AddressSanitizer and UndefinedBehaviorSanitizer, compiled with clang so the
# fuzz targets are built as well. Arguments: the targets to build (default: all).
ketab_build_sanitized() {
  local top; top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  cd "$top"
  if [ ! -f build-asan/CMakeCache.txt ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Release -DKETAB_SANITIZE=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  fi
  local log=build-asan/last-build.log targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  if ! CCACHE_BASEDIR="$top" cmake --build build-asan --parallel "$(nproc)" "${targets[@]}" >"$log" 2>&1; then
    grep -v -E '^\[[0-9]+/[0-9]+\] ' "$log" | tail -n 80
    echo "Sanitizer build failed; the full log is $log" >&2
    return 1
  fi
}

# Builds the sanitizer build and runs the suite under it (a finding fails its test). The
# end-to-end journeys stay out: they pace a real desktop, which the sanitized program is
# several times too slow for, and the code they drive is under the unit tests here.
ketab_test_sanitized() {
  ketab_build_sanitized
  (cd build-asan && ctest --no-tests=error --output-on-failure --timeout 900 -j"$(nproc)" -LE e2e)
}
