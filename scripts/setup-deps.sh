#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (once; later runs only check).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  juce-modules-source-data          # VST 3 SDK sources
  libcairo2-dev libfontconfig-dev libexpat1-dev   # drawing, text and the UI description reader
  libgtest-dev libgmock-dev         # tests
  clang libclang-rt-14-dev          # fuzzing and sanitizer runtimes
  libx11-dev xvfb libxtst-dev       # the editor window; its tests in a virtual X server
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "Missing packages (${missing[*]}) and no way to become root: install them by hand." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
