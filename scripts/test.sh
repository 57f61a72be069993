#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the Linux build, then the Windows
# build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default
cmake --build --preset default
ctest --preset default
bash scripts/test-windows.sh
