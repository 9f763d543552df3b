// morvik_bench.cpp - Morvik against its floor model and its peers, side by
// side in one run. bench/run.py turns the figures into the table of ratios.
//
// Every figure is wall-clock time. The allocator is set up as a process that
// has run a while ends up (glibc's thresholds raised), so a "warm" fill
// reuses pages; the "cold" fills hand their pages back after each batch and
// pay the first-touch faults again.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <barrier>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench_targets.h"
#include "bench_texts.h"
#include "peak_memory.h"

namespace morvik_bench {

std::string BenchFile(const char* name) {
  const char* dir = std::getenv("MORVIK_BENCH_DIR");
  std::string path = dir && *dir ? dir : (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
  return path + "/morvik-bench-" + std::to_string(getpid()) + "-" + name;
}

namespace {

// Items logged between two clears of the one-thread workloads.
constexpr std::size_t kBatch = 16384;
// Items each thread logs per iteration of the thread workloads.
constexpr std::size_t kThreadBatch = 65536;
// A large log: drained by GetLogData and exported.
constexpr std::size_t kLargeLogItems = 100000;
// The mixed load drains after this many items.
constexpr std::size_t kMixedDrainEvery = 10000;

template <class Target>
void Message(benchmark::State& state, bool cold) {
  Target target;
  const BenchText text = MakeText(kTextUnits, 1);
  auto refill = [&] {
    target.Clear();
    if (cold) malloc_trim(0);
  };
  for (std::size_t i = 0; i < kBatch; ++i) target.Message(text);
  refill();
  std::size_t n = 0;
  for (auto _ : state) {
    target.Message(text);
    if (++n == kBatch) {
      state.PauseTiming();
      refill();
      n = 0;
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(state.iterations());
}

// Runs a job on the benchmark's thread and, when asked, on one helper at
// the same moment; Run returns when both are done.
class ThreadPair {
 public:
  ThreadPair(bool two, std::function<void()> job) : job_(std::move(job)) {
    if (two) helper_ = std::thread([this] { Serve(); });
  }
  ~ThreadPair() {
    if (helper_.joinable()) {
      stop_ = true;
      start_.arrive_and_wait();
      helper_.join();
    }
  }
  void Run() {
    if (!helper_.joinable()) return job_();
    start_.arrive_and_wait();
    job_();
    done_.arrive_and_wait();
  }

 private:
  void Serve() {
    for (;;) {
      start_.arrive_and_wait();
      if (stop_) return;
      job_();
      done_.arrive_and_wait();
    }
  }
  std::function<void()> job_;
  std::barrier<> start_{2};
  std::barrier<> done_{2};
  bool stop_ = false;
  std::thread helper_;
};

// Each iteration: every thread logs kThreadBatch items into one shared log.
// The time of an iteration is the time each thread waited per item, times
// kThreadBatch.
template <class Target>
void Threads(benchmark::State& state, bool two) {
  Target target;
  const BenchText text = MakeText(kTextUnits, 2);
  ThreadPair pair(two, [&] {
    for (std::size_t i = 0; i < kThreadBatch; ++i) target.Message(text);
  });
  pair.Run();
  target.Clear();
  for (auto _ : state) {
    pair.Run();
    state.PauseTiming();
    target.Clear();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kThreadBatch * (two ? 2 : 1));
  state.counters["items_per_thread"] = static_cast<double>(kThreadBatch);
}

template <class Target>
void Drain(benchmark::State& state) {
  Target target;
  const BenchText text = MakeText(kTextUnits, 3);
  std::vector<uint8_t> buffer(kExportBufferSize);
  // One untimed round first: the heap then holds the pages a long-running
  // process would have.
  for (std::size_t i = 0; i < kLargeLogItems; ++i) target.Message(text);
  while (target.Drain(buffer.data(), kExportBufferSize) != 0) {
  }
  std::size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    for (std::size_t i = 0; i < kLargeLogItems; ++i) target.Message(text);
    state.ResumeTiming();
    while (uint32_t n = target.Drain(buffer.data(), kExportBufferSize)) bytes += n;
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

std::u16string Utf16Path(const std::string& path) { return std::u16string(path.begin(), path.end()); }

std::size_t FileSize(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
}

void Export(benchmark::State& state, bool scramble) {
  MorvikTarget target;
  const BenchText text = MakeText(kTextUnits, 4);
  const std::string path = BenchFile(scramble ? "scrambled.dat" : "plain.dat");
  const std::u16string name = Utf16Path(path);
  for (std::size_t i = 0; i < kLargeLogItems; ++i) target.Message(text);
  target.log()->ExportToFile(name.c_str(), scramble);  // untimed warm-up
  std::size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    for (std::size_t i = 0; i < kLargeLogItems; ++i) target.Message(text);
    state.ResumeTiming();
    if (!target.log()->ExportToFile(name.c_str(), scramble)) state.SkipWithError("export failed");
    state.PauseTiming();
    bytes += FileSize(path);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  std::remove(path.c_str());
}

// The export's own I/O and nothing else: the same file size, cut into the
// same chunks, written from one buffer through the same kind of stream.
void RawWrite(benchmark::State& state) {
  const std::size_t record = 10 + 2 * kTextUnits;
  const std::size_t perChunk = (kExportBufferSize - 4) / record;
  std::vector<std::size_t> chunks;
  for (std::size_t left = kLargeLogItems; left > 0; left -= std::min(left, perChunk))
    chunks.push_back(std::min(left, perChunk) * record);
  chunks.back() += 10 + 2 * 80;  // about the export event's record
  std::vector<uint8_t> buffer(kExportBufferSize, 'r');
  const std::string path = BenchFile("raw.dat");
  auto write = [&] {
    FILE* file = std::fopen(path.c_str(), "w+b");
    if (!file) return std::size_t{0};
    std::size_t written = 0;
    for (std::size_t chunk : chunks) {
      written += std::fwrite(buffer.data(), 1, chunk, file);
      std::fflush(file);  // as the export hands each chunk on
    }
    std::fclose(file);
    return written;
  };
  write();  // untimed warm-up
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::size_t written = write();
    if (written == 0) {
      state.SkipWithError("cannot write the file");
      break;
    }
    bytes += written;
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  std::remove(path.c_str());
}

template <class Target>
void Mixed(benchmark::State& state) {
  static const std::vector<BenchText> texts = MakeMixedTexts(kMixedDrainEvery);
  std::size_t textBytes = 0;
  for (const BenchText& text : texts) textBytes += 2 * text.utf16.size();
  Target target;
  std::vector<uint8_t> buffer(kExportBufferSize);
  auto round = [&] {
    for (const BenchText& text : texts) target.Push(text);
    while (target.Drain(buffer.data(), kExportBufferSize) != 0) {
    }
  };
  round();  // untimed warm-up
  for (auto _ : state) round();
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * texts.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * textBytes));
}

void RegisterAll() {
  auto add = [](const char* name, auto fn) {
    return benchmark::RegisterBenchmark(name, fn)->UseRealTime();
  };
  add("message/warm/morvik", [](benchmark::State& s) { Message<MorvikTarget>(s, false); });
  add("message/warm/floor", [](benchmark::State& s) { Message<FloorTarget>(s, false); });
  add("message/warm/spdlog_ring", [](benchmark::State& s) { Message<SpdlogRingTarget>(s, false); });
  add("message/warm/spdlog_file", [](benchmark::State& s) { Message<SpdlogFileTarget>(s, false); });
  add("message/cold/morvik", [](benchmark::State& s) { Message<MorvikTarget>(s, true); });
  add("message/cold/floor", [](benchmark::State& s) { Message<FloorTarget>(s, true); });
  add("threads/1/morvik", [](benchmark::State& s) { Threads<MorvikTarget>(s, false); });
  add("threads/2/morvik", [](benchmark::State& s) { Threads<MorvikTarget>(s, true); });
  add("threads/1/floor", [](benchmark::State& s) { Threads<FloorTarget>(s, false); });
  add("threads/2/floor", [](benchmark::State& s) { Threads<FloorTarget>(s, true); });
  add("threads/1/spdlog_ring", [](benchmark::State& s) { Threads<SpdlogRingTarget>(s, false); });
  add("threads/2/spdlog_ring", [](benchmark::State& s) { Threads<SpdlogRingTarget>(s, true); });
  add("drain/morvik", [](benchmark::State& s) { Drain<MorvikTarget>(s); });
  add("drain/floor", [](benchmark::State& s) { Drain<FloorTarget>(s); });
  add("export/plain/morvik", [](benchmark::State& s) { Export(s, false); });
  add("export/scrambled/morvik", [](benchmark::State& s) { Export(s, true); });
  add("export/raw_write", [](benchmark::State& s) { RawWrite(s); });
  add("mixed/morvik", [](benchmark::State& s) { Mixed<MorvikTarget>(s); });
  add("mixed/floor", [](benchmark::State& s) { Mixed<FloorTarget>(s); });
}

}  // namespace
}  // namespace morvik_bench

int main(int argc, char** argv) {
  if (argc >= 2 && std::strncmp(argv[1], "--peak-memory=", 14) == 0)
    return morvik_bench::RunPeakMemory(argv[1] + 14);
  // A long-running process: glibc raises these thresholds by itself once it
  // has freed a large block; setting them keeps every run alike.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  morvik_bench::RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
