#!/usr/bin/env bash
# Builds every tools/fuzz/fuzz_<name>.cpp with libFuzzer, AddressSanitizer and UBSan and runs each
# for a bounded time. A target names the project sources it needs on a "// fuzz-sources:" line and
# extra pkg-config packages or libraries on a "// fuzz-libs:" line. Seeds come from
# tools/fuzz/corpus/<name>/ (copied, so the repository stays clean).
#
#   tools/fuzz/run.sh                 # all targets, FUZZ_SECONDS (60) each
#   tools/fuzz/run.sh demo_reader     # only the named targets
# Exit status 1 when any target found a crash; the reproducer is kept in $FUZZ_OUT/<name>/.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$(pwd)
OUT=${FUZZ_OUT:-$ROOT/build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-60}
CXX=${FUZZ_CXX:-clang++}
mkdir -p "$OUT"

targets=()
if [ $# -gt 0 ]; then
  for name in "$@"; do targets+=("tools/fuzz/fuzz_${name}.cpp"); done
else
  for f in tools/fuzz/fuzz_*.cpp; do targets+=("$f"); done
fi

includes=()
for d in app content game/*/ lobby; do [ -d "$d" ] && includes+=("-I$ROOT/$d"); done

failed=0
for target in "${targets[@]}"; do
  name=$(basename "$target" .cpp); name=${name#fuzz_}
  sources=$(sed -n 's#^// fuzz-sources:##p' "$target")
  libs=$(sed -n 's#^// fuzz-libs:##p' "$target")
  pkgs=""; extra=""
  for l in $libs; do
    case "$l" in -l*) extra="$extra $l" ;; *) pkgs="$pkgs $l" ;; esac
  done
  echo "=== fuzz $name: build"
  objdir="$OUT/$name"; mkdir -p "$objdir"
  # shellcheck disable=SC2086
  "$CXX" -std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    "${includes[@]}" "$target" $(for s in $sources; do echo "$ROOT/$s"; done) \
    $(pkg-config --cflags --libs Qt5Core $pkgs) $extra -o "$objdir/fuzz_$name"
  corpus="$objdir/corpus"; mkdir -p "$corpus"
  [ -d "tools/fuzz/corpus/$name" ] && cp -n tools/fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "=== fuzz $name: run ${SECONDS_EACH}s"
  if ! (cd "$objdir" && ASAN_OPTIONS=detect_leaks=1 QT_QPA_PLATFORM=offscreen ./"fuzz_$name" \
        -max_total_time="$SECONDS_EACH" -max_len="${FUZZ_MAX_LEN:-65536}" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$corpus" 2>"$objdir/log.txt"); then
    echo "=== fuzz $name: FAILED (see $objdir/log.txt)"; tail -40 "$objdir/log.txt"; failed=1
  else
    grep -E "stat::number_of_executed_units|cov:" "$objdir/log.txt" | tail -2
    echo "=== fuzz $name: ok"
  fi
done
exit $failed
