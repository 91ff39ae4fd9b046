#!/usr/bin/env bash
# Builds the program and runs every test twice: a plain build and an address +
# undefined-behaviour sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
jobs=$(nproc)

# In CI (CI=true) every warning of the project's own code fails the build.
strict=()
if [ "${CI:-}" = true ]; then strict=(-DTAMBORIX_WERROR=ON); fi

build() { # folder, extra cmake arguments...
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${strict[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

build build
build build-asan -DTAMBORIX_SANITIZE=ON -DTAMBORIX_BUILD_BENCHMARKS=OFF

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
echo "== plain build tests"
ctest --test-dir build --output-on-failure -j "$jobs"
echo "== sanitizer build tests"
ctest --test-dir build-asan --output-on-failure -j "$jobs"
