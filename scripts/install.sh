#!/usr/bin/env bash
# Installs what the build needs, builds the plug-in and installs the bundle where
# Linux VST 3 hosts look for it (~/.vst3, or the folder given as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh
dest="${1:-$HOME/.vst3}"
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DORD3L_BUILD_TESTS=OFF -DORD3L_BUILD_BENCH=OFF >/dev/null
cmake --build build-release --target ord3l_plugin -j"$(nproc)"
mkdir -p "$dest"
rm -rf "$dest/tsORD3L.vst3"
cp -R build-release/tsORD3L.vst3 "$dest/"
echo "Installed $dest/tsORD3L.vst3"
