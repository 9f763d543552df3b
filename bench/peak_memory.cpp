// peak_memory.cpp - VmHWM around a fill and an export.
#include "peak_memory.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench_targets.h"
#include "bench_texts.h"

namespace morvik_bench {

namespace {

// A field of /proc/self/status in bytes (the kernel gives kB).
std::size_t StatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t length = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
      return std::stoull(line.substr(length + 1)) * 1024;
  return 0;
}

}  // namespace

int RunPeakMemory(const char* scenario) {
  std::vector<BenchText> texts;
  std::size_t rounds = 1;
  if (std::strcmp(scenario, "uniform") == 0) {
    texts.push_back(MakeText(kTextUnits, 5));
    rounds = 400000;
  } else if (std::strcmp(scenario, "mixed") == 0) {
    // A thousand texts logged twenty times keep the table itself small.
    texts = MakeMixedTexts(1000);
    rounds = 20;
  } else {
    std::fprintf(stderr, "morvik_bench: unknown scenario %s (uniform, mixed)\n", scenario);
    return 2;
  }
  const std::size_t baseline = StatusBytes("VmRSS");
  std::size_t queued = 0;
  std::size_t items = 0;
  const std::string path = BenchFile("peak.dat");
  {
    MorvikTarget target;
    for (std::size_t round = 0; round < rounds; ++round) {
      for (const BenchText& text : texts) {
        target.Push(text);
        queued += 2 * text.utf16.size();
        ++items;
      }
    }
    const std::u16string name(path.begin(), path.end());
    if (!target.log()->ExportToFile(name.c_str(), false)) {
      std::fprintf(stderr, "morvik_bench: the export failed\n");
      return 1;
    }
  }
  std::remove(path.c_str());
  const std::size_t peak = StatusBytes("VmHWM");
  const std::size_t limit = queued + queued / 2 + (std::size_t{32} << 20);
  std::printf(
      "{\"scenario\": \"%s\", \"items\": %zu, \"queued_bytes\": %zu, \"baseline_bytes\": %zu, "
      "\"peak_bytes\": %zu, \"limit_bytes\": %zu}\n",
      scenario, items, queued, baseline, peak, limit);
  return 0;
}

}  // namespace morvik_bench
