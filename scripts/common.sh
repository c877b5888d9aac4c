# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by start.sh, test.sh and package.sh: install what this machine is missing, then
# configure and build. Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${VELMARO_BUILD_DIR:-$ROOT/build}
SANITIZE_BUILD_DIR=${VELMARO_SANITIZE_BUILD_DIR:-$ROOT/build-sanitize}
THREAD_SANITIZE_BUILD_DIR=${VELMARO_THREAD_SANITIZE_BUILD_DIR:-$ROOT/build-tsan}

# What building, running, testing and packaging need on Debian 12. The last lines: the validators
# of the menu entry, the metainfo and the MIME type, the tools CPack reads a Debian package's
# dependencies with (dpkg-shlibdeps and file), and lintian, which checks the package.
PACKAGES=(
  g++ cmake ninja-build
  qt6-base-dev qt6-svg-dev qt6-translations-l10n
  fonts-liberation
  libbenchmark-dev
  xvfb xauth
  desktop-file-utils appstream shared-mime-info dpkg-dev file
  lintian
)

# What the tests need besides: the toolkit's private headers, to queue input as the window system
# does, the C library's locales, for a locale with a decimal comma, Boost's headers, for the
# engine's 50-digit reference, and ngspice, which runs an exported netlist.
TEST_PACKAGES=(
  qt6-base-private-dev locales libboost-dev
  ngspice
)

# What the sanitized build and the fuzz targets need besides: clang with its sanitizer and
# libFuzzer runtimes, and llvm-symbolizer for readable reports.
SANITIZER_PACKAGES=(
  clang libclang-rt-14-dev llvm-14
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing_packages() {
  local missing=() package
  for package in "$@"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]; then
      missing+=("$package")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build <build dir> [target...]: configures in Release with the benchmarks, then builds the targets
# (default: all). The libraries are built as a few large sources each, which saves the scripts'
# fresh builds a third of their time.
# The C library's Italian locale, whose decimal comma the reading of numbers must ignore.
install_comma_locale() {
  if locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
    return 0
  fi
  echo "Generating the locale it_IT.UTF-8"
  as_root sed -i 's/^# *\(it_IT\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^it_IT\.UTF-8 UTF-8' /etc/locale.gen || echo 'it_IT.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
}

build() {
  local dir=$1
  shift
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMARO_BENCHMARKS=ON \
    -DVELMARO_UNITY_LIBRARIES=ON
  build_targets "$dir" "$@"
}

# configure_clang <build dir> [option...]: configures a checking build with clang. -O1 with line
# tables keeps it quick to build and the reports' stack traces exact; no benchmarks.
configure_clang() {
  local dir=$1
  shift
  cmake -S "$ROOT" -B "$dir" -G Ninja \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only" \
    -DVELMARO_BENCHMARKS=OFF -DVELMARO_UNITY_LIBRARIES=ON "$@"
}

# build_sanitized <build dir> [target...]: the tests and the fuzz targets, built with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer.
build_sanitized() {
  local dir=$1
  shift
  configure_clang "$dir" -DVELMARO_SANITIZE=ON -DVELMARO_FUZZ=ON \
    "-DVELMARO_FUZZ_SECONDS=${VELMARO_FUZZ_SECONDS:-60}"
  build_targets "$dir" "$@"
}

# build_thread_sanitized <build dir> [target...]: the tests built with clang under
# ThreadSanitizer, for the tests that start work on the worker; no fuzzing.
build_thread_sanitized() {
  local dir=$1
  shift
  configure_clang "$dir" -DVELMARO_THREAD_SANITIZE=ON
  build_targets "$dir" "$@"
}

build_targets() {
  local dir=$1
  shift
  if [ $# -gt 0 ]; then
    cmake --build "$dir" --target "$@"
  else
    cmake --build "$dir"
  fi
}

# For the programs of a sanitized build: the first report of any kind ends the process with a
# failure. Leak checking stays on: the test runner's Qt (offscreen platform) leaves nothing behind
# that LeakSanitizer reports, so there is nothing to suppress.
export_sanitizer_options() {
  export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  if [ -x /usr/bin/llvm-symbolizer-14 ]; then
    export ASAN_SYMBOLIZER_PATH=/usr/bin/llvm-symbolizer-14
    export UBSAN_SYMBOLIZER_PATH=/usr/bin/llvm-symbolizer-14
  fi
  export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$ROOT/scripts/tsan.supp"
  if [ -x /usr/bin/llvm-symbolizer-14 ]; then
    export TSAN_OPTIONS=$TSAN_OPTIONS:external_symbolizer_path=/usr/bin/llvm-symbolizer-14
  fi
}

# The test classes that start runs, or other long work, on the worker.
THREADED_TESTS='GraphWindowTest|BadInputSweepTest|DesignFilesTest|PlotMeasuringTest|StoppedCommandTest|LongWorkTest|FilterCommandTest'

