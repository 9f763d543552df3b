// callgrind_scenario.cpp - a fixed scenario whose instruction counts repeat
// from run to run: 100,000 messages of 64 units logged, then drained, into
// Morvik and into the floor model. Each phase is dumped on its own when the
// program runs under valgrind --tool=callgrind --collect-atstart=no;
// bench/callgrind.sh runs it and prints the counts per item.
#include <valgrind/callgrind.h>

#include <cstdio>
#include <vector>

#include "bench_targets.h"
#include "bench_texts.h"

namespace morvik_bench {

std::string BenchFile(const char* name) { return std::string("/tmp/") + name; }

namespace {

constexpr std::size_t kItems = 100000;

template <class Target>
void Scenario(const char* name) {
  Target target;
  const BenchText text = MakeText(kTextUnits, 7);
  std::vector<uint8_t> buffer(kExportBufferSize);
  std::size_t bytes = 0;
  const std::string logging = std::string(name) + "-logging";
  const std::string draining = std::string(name) + "-draining";

  CALLGRIND_TOGGLE_COLLECT;
  for (std::size_t i = 0; i < kItems; ++i) target.Message(text);
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_DUMP_STATS_AT(logging.c_str());

  CALLGRIND_TOGGLE_COLLECT;
  while (uint32_t n = target.Drain(buffer.data(), kExportBufferSize)) bytes += n;
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_DUMP_STATS_AT(draining.c_str());

  std::printf("%s: %zu items, %zu bytes drained\n", name, kItems, bytes);
}

}  // namespace
}  // namespace morvik_bench

int main() {
  morvik_bench::Scenario<morvik_bench::MorvikTarget>("morvik");
  morvik_bench::Scenario<morvik_bench::FloorTarget>("floor");
  return 0;
}
