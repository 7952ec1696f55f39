#!/usr/bin/env bash
# Installs the Debian packages Quellix needs to build, test and benchmark.
# Safe to run repeatedly: only missing packages are installed.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-svg-dev
  fonts-liberation fonts-dejavu-core
  googletest libgtest-dev libgmock-dev
  libbenchmark-dev
  libfftw3-dev libkissfft-dev libliquid-dev
  clang libclang-rt-14-dev
  xvfb xauth
  doxygen ccache
)

# The capture test runs a private PulseAudio server of its own. A desktop
# whose sound runs on PipeWire keeps it: the pulseaudio package would
# replace pipewire-pulse there, so it is left out (the test then skips).
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
if installed pipewire-pulse; then
  echo "install-deps: pipewire-pulse present, pulseaudio left out (the capture test will skip)"
else
  PACKAGES+=(pulseaudio pulseaudio-utils)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! installed "$p"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
