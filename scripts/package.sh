#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Velmaro in Release and makes its Debian package,
# velmaro_<version>_<arch>.deb, in the project folder. Install it with
#   sudo apt install ./velmaro_<version>_<arch>.deb
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages "${PACKAGES[@]}"
# The program (its icons come with it) is all the package holds: no tests or benchmarks built.
build "$BUILD_DIR" velmaro

staging=$BUILD_DIR/package
rm -rf "$staging"
cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$staging"
debs=("$staging"/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "CPack did not make exactly one Debian package in $staging" >&2
  exit 1
fi
deb=$ROOT/$(basename "${debs[0]}")
mv "${debs[0]}" "$deb"
echo
echo "Debian package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends
