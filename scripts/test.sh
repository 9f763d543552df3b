#!/usr/bin/env bash
# Builds every preset and runs every test: the README's test command.
# Installs what is missing first, and runs the tests inside a private Xvfb
# display with a window manager, so GUI tests see a desktop.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

if [ -z "${TARVELAX_IN_XSESSION:-}" ]; then
  export TARVELAX_IN_XSESSION=1
  exec scripts/xsession.sh "$0" "$@"
fi

step() { printf '\n==== %s ====\n' "$*"; }

for preset in linux windows-x64 windows-x86 linux-asan linux-tsan; do
  step "configure and build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

for preset in linux linux-asan linux-tsan windows-x64; do
  step "test: $preset"
  ctest --preset "$preset"
done

step "all presets built, all tests passed"
