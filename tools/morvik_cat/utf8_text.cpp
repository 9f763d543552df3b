// utf8_text.cpp - UTF-16LE decoding with surrogate pairs.
#include "morvik_cat/utf8_text.h"

namespace morvik_cat {

namespace {

void AppendCodePoint(uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::size_t AppendUtf8(std::span<const uint8_t> bytes, std::string& out) {
  const std::size_t units = bytes.size() / 2;
  auto unit = [&](std::size_t i) -> uint32_t { return bytes[2 * i] | (bytes[2 * i + 1] << 8); };
  std::size_t invalid = 0;
  out.reserve(out.size() + units);
  for (std::size_t i = 0; i < units; ++i) {
    const uint32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 &&
        unit(i + 1) <= 0xDFFF) {
      AppendCodePoint(0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00), out);
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      AppendCodePoint(0xFFFD, out);
      ++invalid;
    } else {
      AppendCodePoint(u, out);
    }
  }
  return invalid;
}

}  // namespace morvik_cat
