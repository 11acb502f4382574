#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillmere.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec "${QM_BUILD_DIR:-build}/quillmere" "$@"
