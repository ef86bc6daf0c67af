#!/usr/bin/env bash
# Installs the Debian packages that the build, the program and the tests need, when some are missing.
# Sourced by run.sh and test.sh; safe to run again.
set -euo pipefail

tassefiche_packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format clang-tidy python3
  googletest zlib1g-dev
  g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev
  wine wine64 fonts-wine fonts-liberation xvfb xauth x11-utils imagemagick
  mscompress cabextract 7zip gcab
  wixl lintian scdoc dpkg-dev man-db
)

missing=()
for p in "${tassefiche_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # With their recommended packages: Wine draws its windows with the fonts and libraries it recommends.
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
