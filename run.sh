#!/usr/bin/env bash
# Installs what is missing, builds and opens the window.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps
cmake -S . -B build -G Ninja
cmake --build build
exec build/main/formula-test
