#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds in Release and starts Velmaro.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages "${PACKAGES[@]}"
build "$BUILD_DIR" velmaro

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No graphical display here: to look at the windows, run scripts/screenshot.sh instead." >&2
  exit 1
fi
exec "$BUILD_DIR/velmaro"
