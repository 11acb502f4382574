#!/usr/bin/env bash
# Installs what building, running and testing Quillmere needs on Debian 12.
# Quick when everything is already there.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang-14 libclang-rt-14-dev clang-format
  qtbase5-dev qtbase5-private-dev qtmultimedia5-dev qttools5-dev qttools5-dev-tools libqt5multimedia5-plugins libqt5svg5-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-tools pulseaudio
  zlib1g-dev liblzma-dev libarchive-dev p7zip-full zip spring
  xvfb xauth x11-apps xdotool x11-utils openbox imagemagick sox dbus
  fonts-play fonts-liberation2 fonts-wqy-microhei fonts-terminus-otb fonts-paratype fonts-creep2
  famfamfam-flag-png ca-certificates util-linux python3
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
