#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the program need. Idempotent.
set -euo pipefail
PKGS=(
  build-essential cmake ninja-build ccache pkg-config git clang-format
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-webengine-dev qt6-svg-dev qt6-tools-dev qt6-documentation-tools
  libqt6svg6 qt6-qpa-plugins
  libjpeg-dev libpng-dev
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libasound2-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly
  gstreamer1.0-libav gstreamer1.0-plugins-bad
  fonts-dejavu-core ffmpeg xvfb xauth xdotool openbox
)
missing=()
for p in "${PKGS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: every package is already installed"
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
