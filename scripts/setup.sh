#!/usr/bin/env bash
# Installs every Debian package the program and its tests use. Safe to run again:
# it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev python3
  # the start-up benchmark's session bus (scripts/startup_bench.py)
  dbus-daemon
  # window; Qt's own translations, so that its file dialogs speak the chosen language
  qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n
  # devices
  libhidapi-dev libusb-1.0-0-dev libusb-dev
  # archives, network, crypto
  libplist-dev libcurl4-openssl-dev libmbedtls-dev zlib1g-dev
  # simulated devices and loopback server
  umockdev libumockdev-dev libcpp-httplib-dev
  # independent firmware fixtures, real-window tests
  dfu-util srecord binutils xvfb xdotool xauth
  # fuzzing runs (scripts/fuzz.sh): clang with libFuzzer
  clang libclang-rt-14-dev
  # the end-to-end tests' screenshot of the virtual X display
  libx11-dev
  # the main window's close asked by the window manager while a sheet is shown
  libxcb1-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
