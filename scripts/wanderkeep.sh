#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine (run as root):
#   scripts/wanderkeep.sh run    install what is missing, build, write the sample scrapbook, start Wanderkeep in it
#   scripts/wanderkeep.sh test   install what is missing, build, run every test headless
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build"
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6
  libsqlite3-dev libgtest-dev googletest
  libsane-dev libsane1 sane-utils
  mdbtools mdbtools-dev
  poppler-utils
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

build_all() {
  cmake -S "$here" -B "$build" -G Ninja
  cmake --build "$build"
}

case "${1:-}" in
  run)
    install_missing
    build_all
    "$build/wanderkeep-sample" "$build/sample"
    cd "$build/sample"
    exec "$build/wanderkeep"
    ;;
  test)
    install_missing
    build_all
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
