#!/usr/bin/env bash
# Builds and runs the benchmarks; each prints its figures and whether they meet their targets.
#   bench/run.sh            # all benchmarks
#   bench/run.sh replays    # only the named ones
# The build dir is $QM_BUILD_DIR (default build); generated data goes to bench/out/ unless
# QM_BENCH_DIR is set. Exit status 1 when a target is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${QM_BUILD_DIR:-build}
OUT=${QM_BENCH_DIR:-$(pwd)/bench/out}
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for d in bench/*/; do [ -f "$d/CMakeLists.txt" ] && names+=("$(basename "$d")"); done
fi
scripts/build.sh >/dev/null
failed=0
for name in "${names[@]}"; do
  cmake --build "$BUILD_DIR" --target "qm_bench_$name" >/dev/null
  mkdir -p "$OUT/$name"
  echo "=== bench $name"
  QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/$name/qm_bench_$name" "$OUT/$name" || failed=1
done
exit $failed
