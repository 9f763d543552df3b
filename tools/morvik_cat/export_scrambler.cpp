// export_scrambler.cpp - word-wide XOR with a pre-expanded key.
#include "morvik_cat/export_scrambler.h"

#include <array>
#include <cstring>

#include "morvik_cat/export_format.h"

namespace morvik_cat {

namespace {

constexpr std::size_t kKeyBytes = kScrambleKey.size();
// Eight copies of the key are a whole number of 64-bit words, so the
// expanded key repeats word by word.
constexpr std::size_t kExpandedWords = kKeyBytes;

struct ExpandedKey {
  std::array<uint64_t, kExpandedWords> words{};
  ExpandedKey() {
    std::array<uint8_t, kExpandedWords * 8> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
      bytes[i] = static_cast<uint8_t>(kScrambleKey[i % kKeyBytes]);
    std::memcpy(words.data(), bytes.data(), bytes.size());
  }
};

const ExpandedKey& Key() {
  static const ExpandedKey key;
  return key;
}

}  // namespace

void ScrambleChunk(std::span<uint8_t> bytes) {
  const ExpandedKey& key = Key();
  uint8_t* p = bytes.data();
  std::size_t left = bytes.size();
  constexpr std::size_t kBlock = kExpandedWords * 8;
  while (left >= kBlock) {
    for (std::size_t w = 0; w < kExpandedWords; ++w) {
      uint64_t word;
      std::memcpy(&word, p + 8 * w, 8);
      word ^= key.words[w];
      std::memcpy(p + 8 * w, &word, 8);
    }
    p += kBlock;
    left -= kBlock;
  }
  for (std::size_t i = 0; i < left; ++i) p[i] ^= static_cast<uint8_t>(kScrambleKey[i % kKeyBytes]);
}

void ScrambleChunks(std::span<uint8_t> bytes, const std::vector<std::size_t>& chunkStarts) {
  for (std::size_t i = 0; i < chunkStarts.size(); ++i) {
    const std::size_t begin = chunkStarts[i];
    const std::size_t end = i + 1 < chunkStarts.size() ? chunkStarts[i + 1] : bytes.size();
    if (begin < end && end <= bytes.size()) ScrambleChunk(bytes.subspan(begin, end - begin));
  }
}

std::vector<std::size_t> LayoutChunks(const std::vector<Record>& records) {
  std::vector<std::size_t> starts;
  std::size_t used = 0;
  for (const Record& record : records) {
    if (!starts.empty() && used + record.length + kFitMargin <= kExportChunkBytes) {
      used += record.length;
      continue;
    }
    starts.push_back(record.offset);
    used = record.length + kFitMargin <= kExportChunkBytes ? record.length : kExportChunkBytes;
  }
  return starts;
}

}  // namespace morvik_cat
