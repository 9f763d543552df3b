#!/usr/bin/env bash
# Installs, with apt-get, every Debian package the build and the tests use.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake make g++ clang pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev libspdlog-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64 mingw-w64-tools
  wine64
  xvfb openbox xdotool x11-utils imagemagick xterm fonts-dejavu-core
  qt6-base-dev libx11-dev
  valgrind
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: these packages are missing and installing them needs root" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
