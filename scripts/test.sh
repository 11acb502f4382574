#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest.
# Sound tests get a PulseAudio null sink and GStreamer's fake audio sink; window tests get Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
BUILD_DIR=${QM_BUILD_DIR:-build}

export QT_GSTREAMER_PLAYBIN_AUDIOSINK=fakesink
export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
pulse_started=0
if command -v pulseaudio >/dev/null 2>&1; then
  if pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
       --load=module-null-sink --load=module-native-protocol-unix >/dev/null 2>&1; then
    pulse_started=1
  fi
fi
cleanup() {
  [ "$pulse_started" = 1 ] && pulseaudio --kill >/dev/null 2>&1 || true
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

cd "$BUILD_DIR"
ctest --output-on-failure -j "${QM_TEST_JOBS:-$(nproc)}" "$@"
