#include <cstring>

#include "log.h"

namespace morvik {

const uint8_t kScrambleKey[27] = {'#', 'Q', '7', 'v', 'P', 'z', '0', 'm', 'H', 'w', '2', 'L', 'x', '9',
                                  'R', 'b', '4', 'N', 'y', '6', 'D', 'k', '1', 'J', 't', '8', 'G'};

namespace {

// Keys up to this length are XOR-ed a 64-bit word at a time.
constexpr uint32_t kMaxWordKeyLength = 64;

}  // namespace

void ScrambleBuffer(uint8_t* bytes, uint32_t length, const uint8_t* key, uint32_t keyLength) {
  if (keyLength == 0) return;
  uint32_t i = 0;
  if (keyLength <= kMaxWordKeyLength) {
    // Eight copies of the key make keyLength whole words that repeat with
    // the key, so block after block takes the same words.
    uint64_t words[kMaxWordKeyLength];
    uint8_t expanded[kMaxWordKeyLength * 8];
    for (uint32_t j = 0; j < keyLength * 8; ++j) expanded[j] = key[j % keyLength];
    std::memcpy(words, expanded, keyLength * 8);
    const uint32_t block = keyLength * 8;
    for (; length - i >= block; i += block) {
      for (uint32_t w = 0; w < keyLength; ++w) {
        uint64_t word;
        std::memcpy(&word, bytes + i + 8 * w, 8);
        word ^= words[w];
        std::memcpy(bytes + i + 8 * w, &word, 8);
      }
    }
  }
  // The tail (or a long key) byte by byte; i is a whole number of keys here.
  uint32_t k = 0;
  for (; i < length; ++i) {
    bytes[i] ^= key[k];
    if (++k == keyLength) k = 0;
  }
}

}  // namespace morvik
