#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine (as an ordinary user; sudo is used only to install
# missing packages, and only after saying so):
#   scripts/wanderkeep.sh run    install what is missing, build the program, write the sample
#                                scrapbook into ~/Wanderkeep-sample (or $WANDERKEEP_SAMPLE) and open it
#   scripts/wanderkeep.sh test   install what is missing, check the code format, then build and run
#                                every test headless twice: as built for use, and under the address
#                                and undefined-behaviour sanitizers
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build/release"
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6
  libsqlite3-dev libpq-dev libgtest-dev googletest
  libsane-dev libsane1 sane-utils
  mdbtools mdbtools-dev
  poppler-utils
  qt6-image-formats-plugins libheif-dev libheif1 libexiv2-dev libimage-exiftool-perl imagemagick
  libvips-tools libheif-examples
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev ffmpeg qt6-multimedia-dev
  clang-format
  desktop-file-utils appstream dpkg-dev
)
# The tests also start a PostgreSQL server of their own, one of them with a certificate openssl makes.
test_packages=(postgresql openssl)

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    local as_root=()
    if ((EUID != 0)); then
      as_root=(sudo)
      echo "Wanderkeep needs these Debian packages, which are installed with sudo (it may ask for your password):"
    else
      echo "Installing the Debian packages Wanderkeep needs:"
    fi
    echo "  ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Only what a family runs: the program, its conversion helper and the sample generator.
build_program() {
  echo "Building Wanderkeep (a few minutes the first time)"
  cmake --preset release >/dev/null
  cmake --build --preset release --target wanderkeep wanderkeep-convert wanderkeep-sample
}

# Every C++ file follows .clang-format; a file that does not is named and fails the run.
check_format() {
  echo "Checking the code format"
  find src tests bench sample \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run -Werror
}

# Builds and runs the tests in one preset; a sanitizer report fails the test that caused it.
test_preset() {
  echo "Building and testing: $1"
  cmake --preset "$1"
  cmake --build --preset "$1"
  ctest --preset "$1"
}

case "${1:-}" in
  run)
    install_missing "${packages[@]}"
    cd "$here"
    build_program
    sample="${WANDERKEEP_SAMPLE:-$HOME/Wanderkeep-sample}"
    echo "Writing the sample scrapbook into $sample"
    "$build/wanderkeep-sample" "$sample"
    echo "Starting Wanderkeep on $sample"
    exec "$build/wanderkeep" "$sample"
    ;;
  test)
    install_missing "${packages[@]}" "${test_packages[@]}"
    cd "$here"
    check_format
    test_preset release
    test_preset asan
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
