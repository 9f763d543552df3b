// bench_texts.h - the texts the workloads log, in UTF-16 for Morvik and the
// floor model and in UTF-8 for spdlog.
#ifndef MORVIK_BENCH_BENCH_TEXTS_H
#define MORVIK_BENCH_BENCH_TEXTS_H

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace morvik_bench {

inline constexpr std::size_t kTextUnits = 64;

struct BenchText {
  int32_t kind = 1;  // 1 message ... 5 warning
  std::u16string utf16;
  std::string utf8;
};

// A text of units code units, varied by seed so no two lines look alike.
inline BenchText MakeText(std::size_t units, uint32_t seed, int32_t kind = 1) {
  BenchText text;
  text.kind = kind;
  text.utf16.resize(units);
  text.utf8.resize(units);
  for (std::size_t i = 0; i < units; ++i) {
    const char c = static_cast<char>('a' + (seed + i * 7) % 26);
    text.utf16[i] = static_cast<char16_t>(c);
    text.utf8[i] = c;
  }
  return text;
}

// The mixed load: count texts of the five kinds with lengths 1..4096 units,
// the same every run.
inline std::vector<BenchText> MakeMixedTexts(std::size_t count) {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<std::size_t> length(1, 4096);
  std::uniform_int_distribution<int32_t> kind(1, 5);
  std::vector<BenchText> texts;
  texts.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    texts.push_back(MakeText(length(random), static_cast<uint32_t>(i), kind(random)));
  return texts;
}

}  // namespace morvik_bench

#endif
