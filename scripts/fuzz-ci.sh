#!/usr/bin/env bash
# CI: builds the fuzz targets (clang, ASan + UBSan) and runs each for FUZZ_SECONDS (default 30) on a
# copy of its seed corpus, after replaying its regression inputs. Fails on any finding: a crash, a
# sanitizer report or a broken property. The work folder is kept when something was found.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-30}"
build="${FUZZ_BUILD_DIR:-build/fuzz}"

cmake --preset fuzz -B "$build"
cmake --build "$build"

work="$(mktemp -d "${TMPDIR:-/tmp}/terralevel-fuzz.XXXXXX")"
if fuzz/run.sh -t "$seconds" -b "$build" -w "$work"; then
    rm -rf "$work"
else
    echo "Fuzz findings kept in $work"
    exit 1
fi
