#!/usr/bin/env bash
# Builds the program and starts it. Arguments are passed on to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tamborix
exec ./build/game/tamborix "$@"
