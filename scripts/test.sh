#!/usr/bin/env bash
# Installs what is missing, builds in Release and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages "${PACKAGES[@]}"
build "$BUILD_DIR"
ctest --test-dir "$BUILD_DIR" --output-on-failure
