#!/usr/bin/env bash
# Builds Pelvar for release in build-package/ and makes its Debian package with CPack:
# dist/pelvar_<version>_<arch>.deb, whose path it prints last. Before packaging, the installed
# files are staged and checked with the desktop's own validators.
# Usage: scripts/package.sh [extra cmake options]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELVAR_PACKAGE_BUILD_DIR:-$root/build-package}"
dist="$root/dist"

# What packaging needs beyond the build's packages (scripts/setup.sh): dpkg-shlibdeps and file for
# the package's dependencies, the validators of the desktop entry, the metainfo and the MIME
# package.
tools=(dpkg-dev file desktop-file-utils appstream shared-mime-info)
missing=()
for p in "${tools[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Only the installed parts are built: the program, its plug-ins and its help.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELVAR_BUILD_TESTS=OFF \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target pelvar

stage="$build/stage"
rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
desktop-file-validate "$stage/usr/share/applications/pelvar.desktop"
appstreamcli validate --no-net --explain "$stage"/usr/share/metainfo/*.metainfo.xml >/dev/null
# The MIME package must compile into a database that knows the three types.
XDG_DATA_DIRS="$stage/usr/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}" \
  update-mime-database "$stage/usr/share/mime"
for t in sal sml wml; do
  grep -q "^application/x-pelvar-$t\$" "$stage/usr/share/mime/types"
done

rm -f "$build"/pelvar_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/pelvar_*.deb)"
# CPack gives a package holding shared objects under /usr/lib maintainer scripts that run
# ldconfig. The plug-ins are loaded by their path, so the scripts would do nothing but keep the
# package listed as removed-but-not-purged after "apt-get remove". The package is rebuilt
# without them.
unpacked="$build/unpacked"
rm -rf "$unpacked"
dpkg-deb -R "$deb" "$unpacked"
rm -f "$unpacked/DEBIAN/postinst" "$unpacked/DEBIAN/postrm"
dpkg-deb --root-owner-group -Zxz -b "$unpacked" "$deb" >/dev/null
rm -rf "$unpacked"
mkdir -p "$dist"
rm -f "$dist"/pelvar_*.deb
mv "$deb" "$dist/"
echo "$dist/$(basename "$deb")"
