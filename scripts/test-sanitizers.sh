#!/usr/bin/env bash
# The sanitizer runs of CI, each in a build folder of its own (quick when nothing changed):
#   build-asan  AddressSanitizer and UBSan, every test but the slow engine runs (label "slow")
#   build-tsan  ThreadSanitizer, the tests that drive threads (label "threads", see qm_tests) and
#               the deliberate races of tests/tsan, which pass only when the sanitizer reports them
set -euo pipefail
cd "$(dirname "$0")/.."

# The pictures are drawn with the plain build's art tool when there is one.
artgen=$PWD/build/tools/artgen/qm_artgen
[ -x "$artgen" ] && artgen_arg="-DQM_ARTGEN=$artgen" || artgen_arg=
QM_BUILD_DIR=build-asan QM_CMAKE_ARGS="-DQM_SANITIZE=ON $artgen_arg" scripts/test.sh -LE slow
QM_BUILD_DIR=build-tsan QM_CMAKE_ARGS="-DQM_TSAN=ON $artgen_arg" scripts/test.sh

# Proof that ThreadSanitizer still sees races in our threads: each deliberate race's own report
# (CTest passed them only if the sanitizer reported a race on the race's data; see tests/tsan).
log=build-tsan/Testing/Temporary/LastTest.log
races=$(sed -n 's/^[0-9/]* Testing: tsan_race_//p' "$log" | sort -u)
if [ -z "$races" ]; then
  echo "test-sanitizers: no deliberate races to check" >&2
  exit 1
fi
for race in $races; do
  # One awk, not awk | grep -q: under pipefail, grep leaving at its first match could end awk
  # with SIGPIPE and fail a race that was reported.
  if awk -v t="tsan_race_$race" '/ Testing: / {on = ($NF == t); next}
       on && /WARNING: ThreadSanitizer: data race/ {found = 1} END {exit !found}' "$log"; then
    echo "test-sanitizers: ThreadSanitizer reported the deliberate race $race"
  else
    echo "test-sanitizers: ThreadSanitizer did NOT report the deliberate race $race" >&2
    exit 1
  fi
done
