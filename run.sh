#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps
cmake -S . -B build -G Ninja
cmake --build build
exec build/cli/formula-scan "$@"
