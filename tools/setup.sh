#!/usr/bin/env bash
# Installs what a fresh Debian 12 (or Ubuntu) machine lacks, then configures and builds
# everything into ./build (the `dev` preset of CMakePresets.json, warnings as errors).
# Safe to run again: installed packages are skipped.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-liberation fonts-dejavu-core xvfb xauth clang-tidy
          # the desktop journey: window manager, X input and tools, accessibility bus
          openbox xdotool xclip x11-apps x11-utils dbus-daemon at-spi2-core python3-pyatspi
          # the Debian package: cpack computes its dependencies with dpkg-shlibdeps
          dpkg-dev file)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake --preset dev
cmake --build --preset dev -j "$(nproc)"
