#!/usr/bin/env bash
# The main job: builds the Windows tree and runs the demo client of the log
# library under Wine; it logs, exports and prints the export decoded.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 --target morvik-demo
build/windows-x64/wine-run.sh build/windows-x64/bin/morvik-demo.exe
