#!/usr/bin/env bash
# Builds every tools/fuzz/fuzz_<name>.cpp with clang's libFuzzer, AddressSanitizer and UBSan and
# runs each for a bounded time (FUZZ_SECONDS, default 30) on its corpus folder corpus/<name>/.
# A target names the project sources it needs on a "// FUZZ_SOURCES:" line (paths from the
# repository root); classes with Q_OBJECT can't be listed there (no moc in this build).
# Usage: tools/fuzz/run.sh [name...]   (no names: all targets). Exits non-zero on the first crash.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
OUT=${FUZZ_OUT:-$ROOT/build-fuzz}
SECONDS_PER_TARGET=${FUZZ_SECONDS:-30}
CXX=${FUZZ_CXX:-clang++}
mkdir -p "$OUT"

includes=()
for d in app content lobby game/* gui/* developers; do
  [ -d "$d" ] && includes+=("-I$ROOT/$d")
done
qt_flags=$(pkg-config --cflags --libs Qt5Core Qt5Gui)

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in tools/fuzz/fuzz_*.cpp; do
    name=$(basename "$f" .cpp)
    targets+=("${name#fuzz_}")
  done
fi

for name in "${targets[@]}"; do
  src=tools/fuzz/fuzz_$name.cpp
  [ -f "$src" ] || { echo "fuzz: no target $src" >&2; exit 2; }
  sources=$(sed -n 's|^// FUZZ_SOURCES:||p' "$src")
  exe=$OUT/fuzz_$name
  echo "fuzz: building $name"
  # shellcheck disable=SC2086
  "$CXX" -std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    "${includes[@]}" "$src" $sources -o "$exe" $qt_flags
  corpus=$OUT/corpus_$name
  mkdir -p "$corpus"
  [ -d "tools/fuzz/corpus/$name" ] && cp -n tools/fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "fuzz: running $name for ${SECONDS_PER_TARGET}s"
  (cd "$OUT" && "$exe" -max_total_time="$SECONDS_PER_TARGET" -rss_limit_mb=4096 -print_final_stats=1 "$corpus")
done
echo "fuzz: all targets ran without a crash"
