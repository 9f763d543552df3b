#!/usr/bin/env bash
# The main job: builds the Windows tree and runs the demo client of the log
# library under Wine; it logs, exports and prints the export decoded. Its
# export files land in build/windows-x64/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 --target morvik-demo
mkdir -p build/windows-x64/demo
cd build/windows-x64/demo
../wine-run.sh ../bin/morvik-demo.exe
