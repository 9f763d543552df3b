#!/usr/bin/env bash
# register-sample.sh [--unregister] [BUILD_TREE]: registers (or removes) the
# sample control TarvelAXSample.dll of a Windows build tree in that tree's
# Wine prefix, with the prefix's own regsvr32, as `regsvr32 TarvelAXSample.dll`
# does on Windows. BUILD_TREE defaults to build/windows-x64.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=register
if [ "${1:-}" = "--unregister" ]; then
  mode=unregister
  shift
fi
tree=$(realpath "${1:-build/windows-x64}")
dll="$tree/bin/TarvelAXSample.dll"
runner="$tree/wine-run.sh"

[ -x "$runner" ] || { echo "register-sample: $runner is missing; configure the tree first" >&2; exit 1; }
if [ "$mode" = register ] && [ ! -f "$dll" ]; then
  echo "register-sample: $dll is missing; build the target TarvelAXSample first" >&2
  exit 1
fi

# Wine maps the Unix root to drive Z:, so this is the DLL's Windows path.
windows_path="Z:$(printf '%s' "$dll" | tr '/' '\\')"
if [ "$mode" = register ]; then
  "$runner" regsvr32 /s "$windows_path"
  echo "register-sample: registered $windows_path"
else
  "$runner" regsvr32 /s /u "$windows_path"
  echo "register-sample: unregistered $windows_path"
fi
