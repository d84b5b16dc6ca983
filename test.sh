#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the Release
# build's tests (core, window on X11 and Wayland, end to end, memcheck), the same core and
# end-to-end tests on the mpfr backend, then a clang build of both backends with
# ASan, LSan and UBSan: a short run of each fuzz target and the same tests again;
# then the Debian package, the cross builds for aarch64, Windows and WebAssembly
# under their emulators (qemu, Wine, node), and last the arm64 package of the
# aarch64 build and the Windows installer and ZIP under Wine.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps test

cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure

# The mpfr backend, natively: the core suite and formula-scan's golden runs on
# the arithmetic that platforms without the x87 format use.
cmake -S . -B build-mpfr -G Ninja -DFORMULA_EXTENDED=mpfr -DFORMULA_BUILD_GUI=OFF
cmake --build build-mpfr
ctest --test-dir build-mpfr --output-on-failure

cmake -S . -B build-sanitize -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFORMULA_FUZZ=ON -DFORMULA_BUILD_BENCH=OFF
cmake --build build-sanitize
tools/fuzz-smoke build-sanitize "${FUZZ_SECONDS:-30}"
LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp ctest --test-dir build-sanitize --output-on-failure

# The Debian package of the Release build: checked, built once more from a fresh
# clone and compared, and run unpacked.
tools/package-test build

tools/cross-test build
tools/package-test build-aarch64
tools/windows-package-test build-mingw
