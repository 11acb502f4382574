#!/usr/bin/env bash
# The sanitizer runs of CI, each in a build folder of its own (quick when nothing changed):
#   build-asan  AddressSanitizer and UBSan, every test
#   build-tsan  ThreadSanitizer, the tests that drive threads (label "threads", see qm_tests) and
#               the deliberate races of tests/tsan, which pass only when the sanitizer reports them
set -euo pipefail
cd "$(dirname "$0")/.."

QM_BUILD_DIR=build-asan QM_CMAKE_ARGS="-DQM_SANITIZE=ON" scripts/test.sh
QM_BUILD_DIR=build-tsan QM_CMAKE_ARGS="-DQM_TSAN=ON" scripts/test.sh

# Proof that ThreadSanitizer still sees races in our threads: each deliberate race's own report.
log=build-tsan/Testing/Temporary/LastTest.log
for race in QThreadAgainstMain WorkerSlotAgainstCaller; do
  if awk -v t="Testing: tsan_race_$race" 'index($0, t) {on = 1; next} /Testing: / {on = 0} on' "$log" |
    grep -q "SUMMARY: ThreadSanitizer: data race .*tst_deliberaterace.cpp"; then
    echo "test-sanitizers: ThreadSanitizer reported the deliberate race $race"
  else
    echo "test-sanitizers: ThreadSanitizer did NOT report the deliberate race $race" >&2
    exit 1
  fi
done
