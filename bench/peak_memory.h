// peak_memory.h - the peak memory of a process that fills a log and exports
// it, run in a fresh process so nothing else counts.
#ifndef MORVIK_BENCH_PEAK_MEMORY_H
#define MORVIK_BENCH_PEAK_MEMORY_H

namespace morvik_bench {

// scenario "uniform" (400,000 texts of 64 units) or "mixed" (20,000 texts of
// 1..4096 units, a table of 1,000 logged 20 times): fills one log, exports it, and prints one JSON line with
// the queued text bytes and the process's peak resident size. Returns the
// process's exit status.
int RunPeakMemory(const char* scenario);

}  // namespace morvik_bench

#endif
