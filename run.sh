#!/usr/bin/env bash
# Installs what is missing, builds and opens the window: only what that needs,
# in a build folder of its own, without the tests and benchmarks.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps run
cmake -S . -B build-run -G Ninja -DFORMULA_BUILD_TESTS=OFF -DFORMULA_BUILD_BENCH=OFF
cmake --build build-run --target formula-test
exec build-run/main/qt/formula-test
