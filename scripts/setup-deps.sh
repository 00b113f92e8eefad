#!/usr/bin/env bash
# Installs the Debian packages that building and running the plug-in need (once; later
# runs only check). With --tests, also what the tests need: GoogleTest, the sanitizer
# and fuzzing runtimes, a virtual X server, and the comma-decimal locale de_DE.UTF-8.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  juce-modules-source-data          # VST 3 SDK sources
  libcairo2-dev libexpat1-dev       # drawing and the UI description reader
  libx11-dev                        # the editor window
)
with_tests=0
case "${1:-}" in
  "") ;;
  --tests)
    with_tests=1
    packages+=(
      libgtest-dev libgmock-dev     # tests
      libfontconfig-dev             # tests that check drawn text
      clang libclang-rt-14-dev      # fuzzing and sanitizer runtimes
      xvfb libxtst-dev              # editor tests in a virtual X server
      locales                       # tests that run under a comma-decimal locale
    ) ;;
  *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
esac

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  sudo=(false)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "${sudo[*]}" = false ]; then
    echo "Missing packages (${missing[*]}) and no way to become root: install them by hand." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  # sudo resets the environment, so the front end is passed to apt-get itself.
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ "$with_tests" -eq 1 ] && ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  if [ "${sudo[*]}" = false ]; then
    echo "The locale de_DE.UTF-8 is missing and no way to become root: create it by hand." >&2
    exit 1
  fi
  echo "Creating the locale de_DE.UTF-8"
  "${sudo[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
