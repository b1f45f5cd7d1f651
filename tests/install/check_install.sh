#!/usr/bin/env bash
# Installs a built tree into a scratch folder and checks it the way a desktop and a package
# manager will see it.
#   check_install.sh CHECK BUILD_DIR VERSION    CHECK: files, launcher, metainfo, manual or deb
# Exits 77 (skipped) only when a tool the check needs is not installed.
set -euo pipefail

check=$1 build=$2 version=$3
id=org.wanderkeep.Wanderkeep
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Everything an installation holds, relative to its prefix; anything else is a fault.
expected=(
  bin/wanderkeep
  bin/wanderkeep-convert
  share/applications/"$id".desktop
  share/icons/hicolor/128x128/apps/"$id".png
  share/icons/hicolor/256x256/apps/"$id".png
  share/icons/hicolor/48x48/apps/"$id".png
  share/icons/hicolor/scalable/apps/"$id".svg
  share/man/man1/wanderkeep.1
  share/metainfo/"$id".metainfo.xml
)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || {
      echo "SKIP: $tool is not installed"
      exit 77
    }
  done
}

install_tree() {
  DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >"$scratch/install.log" 2>&1 ||
    fail "cmake --install failed (is the whole project built?): $(cat "$scratch/install.log")"
  root=$scratch/root/usr
}

expect_files() { # listing, what it lists
  diff <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) <(LC_ALL=C sort <<<"$1") >&2 ||
    fail "$2 does not hold exactly the expected files (< missing, > unexpected)"
}

png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'; }

quiet() { # a validator that must neither fail nor say anything
  local out
  out=$("$@" 2>&1) || fail "$*: $out"
  [[ -z $out ]] || fail "$*: $out"
}

case $check in
  files)
    install_tree
    expect_files "$(cd "$root" && find . ! -type d | sed 's|^\./||')" "the installation"
    for program in wanderkeep wanderkeep-convert; do
      [[ -x $root/bin/$program ]] || fail "bin/$program is not executable"
    done
    for size in 48 128 256; do
      actual=$(png_size "$root/share/icons/hicolor/${size}x$size/apps/$id.png")
      [[ $actual == "${size}x$size" ]] || fail "the ${size}x$size icon is $actual"
    done
    # The launcher must start the installed program and show the installed icon.
    launcher=$root/share/applications/$id.desktop
    exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$launcher")
    [[ -x $root/bin/$exec_program ]] || fail "the launcher starts '$exec_program', which is not installed"
    grep -qx "Icon=$id" "$launcher" || fail "the launcher's icon is not $id"
    ;;
  launcher)
    need desktop-file-validate
    install_tree
    quiet desktop-file-validate "$root/share/applications/$id.desktop"
    ;;
  metainfo)
    need appstreamcli
    install_tree
    [[ -f $root/share/metainfo/$id.metainfo.xml ]] || fail "share/metainfo/$id.metainfo.xml is not installed"
    # The whole tree, so that the launcher the AppStream data names must be installed too.
    appstreamcli validate-tree --no-net "$scratch/root" >&2 || fail "appstreamcli rejects the installed tree"
    ;;
  manual)
    need groff
    install_tree
    quiet groff -ww -z -man "$root/share/man/man1/wanderkeep.1"
    ;;
  deb)
    need cpack dpkg-deb dpkg-shlibdeps
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/deb" >"$scratch/cpack.log" 2>&1 ||
      fail "cpack failed: $(cat "$scratch/cpack.log")"
    deb=$scratch/deb/wanderkeep_${version}_$(dpkg --print-architecture).deb
    [[ -f $deb ]] || fail "cpack did not write $(basename "$deb"): $(ls "$scratch/deb")"
    expect_files "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||')" "the package"
    depends=$(dpkg-deb -f "$deb" Depends)
    for package in libqt6widgets6 libsqlite3-0 'libsane(1)?' 'libmdb[0-9]+' qt6-image-formats-plugins \
      libqt6multimedia6 'libavformat[0-9]+'; do
      grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends does not name $package: $depends"
    done
    ;;
  *)
    fail "unknown check '$check'"
    ;;
esac
