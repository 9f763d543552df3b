#include "posix/utf8_posix.h"

namespace morvik::platform {
namespace {

bool IsHigh(uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

// Reads one code point from text, advancing it; a lone surrogate becomes
// U+FFFD, since UTF-8 cannot carry it.
uint32_t NextCodePoint(const MorvikChar*& text) {
  const uint32_t u = static_cast<uint16_t>(*text++);
  if (IsHigh(u)) {
    const uint32_t v = static_cast<uint16_t>(*text);
    if (IsLow(v)) {
      ++text;
      return 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00);
    }
    return 0xFFFD;
  }
  return IsLow(u) ? 0xFFFD : u;
}

// Writes the UTF-8 form of c (at most 4 bytes); returns the byte count.
int PutUtf8(uint32_t c, char* out) {
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (c >> 12));
    out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (c >> 18));
  out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (c & 0x3F));
  return 4;
}

}  // namespace morvik::platform
