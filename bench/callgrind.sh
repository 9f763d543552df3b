#!/bin/sh
# Instruction counts of a fixed scenario (100,000 messages of 64 units logged,
# then drained) in Morvik and in the floor model, per item, under callgrind.
# The counts repeat from run to run, unlike the timings.
#   bench/callgrind.sh [build tree, default build/linux]
set -eu
build=${1:-$(dirname "$0")/../build/linux}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/cg.out" \
  "$build/bin/morvik_callgrind_scenario" >"$out/stdout" 2>"$out/stderr" || {
  cat "$out/stderr" >&2
  exit 1
}
items=100000
printf '| Phase | Instructions per item |\n|---|---|\n'
for dump in "$out"/cg.out*; do
  phase=$(sed -n 's/^desc: Trigger: Client Request: //p' "$dump")
  total=$(sed -n 's/^summary: //p;s/^totals: //p' "$dump" | head -n 1)
  [ -n "$phase" ] && [ -n "$total" ] || continue
  echo "$phase $total"
done | sort | while read -r phase total; do
  printf '| %s | %s |\n' "$phase" "$(awk -v t="$total" -v n="$items" 'BEGIN { printf "%.1f", t / n }')"
done
