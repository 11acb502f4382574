#!/usr/bin/env bash
# Configures and builds into build/ (or $QM_BUILD_DIR). Quick when nothing changed.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${QM_BUILD_DIR:-build}
JOBS=${QM_JOBS:-$(nproc)}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${QM_BUILD_TYPE:-RelWithDebInfo} ${QM_CMAKE_ARGS:-}
fi
cmake --build "$BUILD_DIR" -j "$JOBS"
