#include "text_case.h"

#include <cstdint>

namespace tarvelax {
namespace {

// One decoded character and the bytes it took. Bytes that are not valid
// UTF-8 pass through as themselves, one at a time.
struct Decoded {
  char32_t code;
  std::size_t length;
  bool valid;
};

Decoded DecodeAt(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t length = 0;
  char32_t code = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07;
  } else {
    return {lead, 1, false};
  }
  if (i + length > text.size()) return {lead, 1, false};
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return {lead, 1, false};
    code = (code << 6) | (next & 0x3F);
  }
  return {code, length, true};
}

void Encode(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

char32_t LowerOf(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;  // А..Я
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;  // Ѐ..Џ, Ё among them
  return c;
}

char32_t UpperOf(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0x0430 && c <= 0x044F) return c - 0x20;
  if (c >= 0x0450 && c <= 0x045F) return c - 0x50;
  return c;
}

template <typename Map>
std::string MapText(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Decoded d = DecodeAt(text, i);
    if (d.valid) {
      Encode(map(d.code), out);
    } else {
      out += text[i];
    }
    i += d.length;
  }
  return out;
}

}  // namespace

std::string ToLowerText(std::string_view text) { return MapText(text, LowerOf); }

std::string ToUpperText(std::string_view text) { return MapText(text, UpperOf); }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return ToLowerText(a) == ToLowerText(b);
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  const std::string lowText = ToLowerText(text);
  const std::string lowPrefix = ToLowerText(prefix);
  return lowText.compare(0, lowPrefix.size(), lowPrefix) == 0;
}

}  // namespace tarvelax
