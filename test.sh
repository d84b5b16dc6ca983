#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the Release
# build's tests (core, window, end to end, memcheck), then a clang build with
# ASan, LSan and UBSan: a short run of each fuzz target and the same tests again;
# last the cross builds for aarch64 and Windows, under their emulators.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps

cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure

cmake -S . -B build-sanitize -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFORMULA_FUZZ=ON -DFORMULA_BUILD_BENCH=OFF
cmake --build build-sanitize
tools/fuzz-smoke build-sanitize "${FUZZ_SECONDS:-60}"
LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp ctest --test-dir build-sanitize --output-on-failure

tools/cross-test build
