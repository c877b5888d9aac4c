#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds in Release and runs every test; then builds the tests again
# with AddressSanitizer and UndefinedBehaviorSanitizer (in build-sanitize/) and runs them
# together with a bounded run of the fuzz targets; last, the tests that start work on the worker
# thread, built with ThreadSanitizer (in build-tsan/). Any sanitizer report, failed property or
# fuzzer finding fails the command. VELMARO_FUZZ_SECONDS sets the fuzzing time (default 60).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages "${PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${SANITIZER_PACKAGES[@]}"
install_comma_locale

# Each test class is a process of its own: they run side by side, one a core, and so do the two
# fuzz targets.
JOBS=$(nproc)

build "$BUILD_DIR"
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$JOBS"

build_sanitized "$SANITIZE_BUILD_DIR"
export_sanitizer_options
ctest --test-dir "$SANITIZE_BUILD_DIR" --output-on-failure --parallel "$JOBS"

build_thread_sanitized "$THREAD_SANITIZE_BUILD_DIR" velmaro_tests
ctest --test-dir "$THREAD_SANITIZE_BUILD_DIR" --output-on-failure --parallel "$JOBS" \
  -R "^($THREADED_TESTS)\$"
