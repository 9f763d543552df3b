#include "log.h"

namespace morvik {

const uint8_t kScrambleKey[27] = {'#', 'Q', '7', 'v', 'P', 'z', '0', 'm', 'H', 'w', '2', 'L', 'x', '9',
                                  'R', 'b', '4', 'N', 'y', '6', 'D', 'k', '1', 'J', 't', '8', 'G'};

void ScrambleBuffer(uint8_t* bytes, uint32_t length, const uint8_t* key, uint32_t keyLength) {
  uint32_t k = 0;
  for (uint32_t i = 0; i < length; ++i) {
    bytes[i] ^= key[k];
    if (++k == keyLength) k = 0;
  }
}

}  // namespace morvik
