// Pieces of a read-out record: the kind's prefix and UTF-16LE output.
#pragma once

#include <cstdint>

#include "log.h"

namespace morvik {

inline const MorvikChar* PrefixOf(int32_t kind) {
  switch (kind) {
    case kMessage: return MORVIK_TEXT("Msg: ");
    case kComment: return MORVIK_TEXT("Cmt: ");
    case kEvent: return MORVIK_TEXT("Evt: ");
    case kError: return MORVIK_TEXT("Err: ");
    default: return MORVIK_TEXT("Wrn: ");
  }
}

// Writes the code units of a terminated text, low byte first; returns the
// end of what it wrote.
inline uint8_t* PutUtf16Le(uint8_t* out, const MorvikChar* text) {
  for (; *text != 0; ++text) {
    const auto unit = static_cast<uint16_t>(*text);
    *out++ = static_cast<uint8_t>(unit & 0xFF);
    *out++ = static_cast<uint8_t>(unit >> 8);
  }
  return out;
}

}  // namespace morvik
