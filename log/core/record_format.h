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

// The prefix of a kind as the 10 UTF-16LE bytes of a record.
inline const uint8_t* PrefixBytesOf(int32_t kind) {
  static const uint8_t kPrefixes[5][kPrefixBytes] = {
      {'M', 0, 's', 0, 'g', 0, ':', 0, ' ', 0}, {'C', 0, 'm', 0, 't', 0, ':', 0, ' ', 0},
      {'E', 0, 'v', 0, 't', 0, ':', 0, ' ', 0}, {'E', 0, 'r', 0, 'r', 0, ':', 0, ' ', 0},
      {'W', 0, 'r', 0, 'n', 0, ':', 0, ' ', 0}};
  return kPrefixes[kind >= kMessage && kind <= kWarning ? kind - kMessage : kWarning - kMessage];
}

// The body of an item without data, "EMPTY\r\n" in UTF-16LE.
inline constexpr uint8_t kEmptyBody[kEmptyBodyBytes] = {'E', 0, 'M', 0, 'P', 0, 'T', 0,
                                                        'Y', 0, '\r', 0, '\n', 0};

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
