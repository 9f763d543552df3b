// bench_targets.h - the logs the workloads drive, behind one shape:
// Message, Push (any kind), Drain and Clear. Morvik goes through its
// interface as a client would; the peers are driven the way a user of them
// would log the same line.
#ifndef MORVIK_BENCH_BENCH_TARGETS_H
#define MORVIK_BENCH_BENCH_TARGETS_H

#include <spdlog/logger.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/sinks/ringbuffer_sink.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "I_Morvik.h"
#include "bench_texts.h"
#include "floor_model.h"

namespace morvik_bench {

// Where exports and file sinks write: a page-cache file system.
std::string BenchFile(const char* name);

// The library's buffer and chunk size of an export.
inline constexpr uint32_t kExportBufferSize = 2700000;

class MorvikTarget {
 public:
  MorvikTarget() {
    if (GetInterface(&log_) != MORVIK_S_OK || !log_) {
      std::fprintf(stderr, "morvik_bench: GetInterface failed\n");
      std::abort();
    }
  }
  ~MorvikTarget() { FreeInterface(&log_); }
  MorvikTarget(const MorvikTarget&) = delete;
  MorvikTarget& operator=(const MorvikTarget&) = delete;

  void Message(const BenchText& text) { log_->Message(text.utf16.c_str()); }
  void Push(const BenchText& text) {
    const MorvikChar* s = reinterpret_cast<const MorvikChar*>(text.utf16.c_str());
    switch (text.kind) {
      case 1: log_->Message(s); break;
      case 2: log_->Comment(s); break;
      case 3: log_->Event(s); break;
      case 4: log_->Error(s); break;
      default: log_->Warning(s); break;
    }
  }
  uint32_t Drain(void* buffer, uint32_t capacity) { return log_->GetLogData(buffer, capacity); }
  void Clear() { log_->Clear(); }
  I_Morvik* log() { return log_; }

 private:
  I_Morvik* log_ = nullptr;
};

class FloorTarget {
 public:
  void Message(const BenchText& text) { log_.Push(1, text.utf16.c_str()); }
  void Push(const BenchText& text) { log_.Push(text.kind, text.utf16.c_str()); }
  uint32_t Drain(void* buffer, uint32_t capacity) { return log_.Drain(buffer, capacity); }
  void Clear() { log_.Clear(); }

 private:
  FloorLog log_;
};

// spdlog's in-memory peer: a ring of the last lines, pattern "%v".
class SpdlogRingTarget {
 public:
  explicit SpdlogRingTarget(std::size_t lines = 1 << 17)
      : sink_(std::make_shared<spdlog::sinks::ringbuffer_sink_mt>(lines)), logger_("bench", sink_) {
    logger_.set_pattern("%v");
  }
  void Message(const BenchText& text) {
    logger_.log(spdlog::level::info, spdlog::string_view_t(text.utf8));
  }
  void Clear() {}

 private:
  std::shared_ptr<spdlog::sinks::ringbuffer_sink_mt> sink_;
  spdlog::logger logger_;
};

// spdlog's file peer, pattern "%v"; Clear starts the file afresh.
class SpdlogFileTarget {
 public:
  SpdlogFileTarget() : path_(BenchFile("spdlog.log")) { Open(); }
  ~SpdlogFileTarget() {
    logger_.reset();
    std::remove(path_.c_str());
  }
  void Message(const BenchText& text) {
    logger_->log(spdlog::level::info, spdlog::string_view_t(text.utf8));
  }
  void Clear() {
    logger_.reset();
    Open();
  }

 private:
  void Open() {
    logger_ = std::make_unique<spdlog::logger>(
        "bench", std::make_shared<spdlog::sinks::basic_file_sink_mt>(path_, true));
    logger_->set_pattern("%v");
  }
  std::string path_;
  std::unique_ptr<spdlog::logger> logger_;
};

}  // namespace morvik_bench

#endif
