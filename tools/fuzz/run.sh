#!/usr/bin/env bash
# Builds every tools/fuzz/fuzz_*.cpp with clang (libFuzzer + AddressSanitizer + UBSan) and runs each
# for a bounded time. A target lists the project sources it needs on a "// fuzz-sources:" line
# (paths from the repository root) and the Qt modules beyond Qt5Core on a "// fuzz-qt:" line.
# Seeds come from tools/fuzz/corpus/<name>/ when present.
#   QM_FUZZ_SECONDS  seconds per target (default 30)
#   QM_FUZZ_OUT      build and work folder (default build-fuzz)
#   QM_FUZZ_ONLY     run only the target with this name (e.g. enginesettings)
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$(pwd)
SECONDS_EACH=${QM_FUZZ_SECONDS:-30}
OUT=${QM_FUZZ_OUT:-$ROOT/build-fuzz}
CXX=${QM_FUZZ_CXX:-clang++}
mkdir -p "$OUT"

failed=0
for src in tools/fuzz/fuzz_*.cpp; do
  name=$(basename "$src" .cpp)
  name=${name#fuzz_}
  if [ -n "${QM_FUZZ_ONLY:-}" ] && [ "$name" != "$QM_FUZZ_ONLY" ]; then
    continue
  fi
  extra=$(sed -n 's#^// fuzz-sources:##p' "$src" | head -n 1)
  qtmods=$(sed -n 's#^// fuzz-qt:##p' "$src" | head -n 1)
  # shellcheck disable=SC2086
  QT_FLAGS=$(pkg-config --cflags --libs Qt5Core $qtmods)
  includes=(-I"$ROOT/app")
  sources=()
  for s in $extra; do
    sources+=("$ROOT/$s")
    includes+=(-I"$ROOT/$(dirname "$s")")
  done
  exe="$OUT/fuzz_$name"
  echo "== build $name"
  # shellcheck disable=SC2086
  "$CXX" -std=c++17 -g -O1 -fPIC -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined \
    "${includes[@]}" "$ROOT/$src" "${sources[@]}" -o "$exe" $QT_FLAGS

  corpus="$OUT/corpus_$name"
  mkdir -p "$corpus"
  if [ -d "tools/fuzz/corpus/$name" ]; then
    cp -n "tools/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
  fi
  echo "== run $name for ${SECONDS_EACH}s"
  if (cd "$OUT" && UBSAN_OPTIONS=halt_on_error=1 "$exe" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        "$corpus" > "$OUT/fuzz_$name.log" 2>&1); then
    echo "   ok ($(grep -c '' "$OUT/fuzz_$name.log") log lines, $(ls "$corpus" | wc -l) corpus entries)"
  else
    echo "   FAILED: see $OUT/fuzz_$name.log and the crash-* file in $OUT"
    tail -n 40 "$OUT/fuzz_$name.log"
    failed=1
  fi
done
exit $failed
