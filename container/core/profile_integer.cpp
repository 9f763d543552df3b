#include "profile_integer.h"

#include <cstdint>

namespace tarvelax {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseHex(std::string_view digits, std::int32_t& out) {
  if (digits.empty()) return false;
  std::uint32_t value = 0;
  int significant = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    if (significant > 0 || d != 0) ++significant;
    if (significant > 8) return false;
    value = (value << 4) | static_cast<std::uint32_t>(d);
  }
  out = static_cast<std::int32_t>(value);
  return true;
}

bool ParseDecimal(std::string_view text, std::int32_t& out) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  // Magnitude in 64 bits; stop as soon as it can no longer fit.
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > 2147483648LL) return false;
  }
  if (!negative && magnitude > 2147483647LL) return false;
  out = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return true;
}

}  // namespace

std::int32_t ParseProfileInteger(std::string_view text, std::int32_t def) {
  std::size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  text.remove_prefix(start);
  std::int32_t value = 0;
  bool ok = false;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    ok = ParseHex(text.substr(2), value);
  } else if (!text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X')) {
    ok = ParseHex(text.substr(1), value);
  } else {
    ok = ParseDecimal(text, value);
  }
  return ok ? value : def;
}

std::string FormatProfileInteger(std::int32_t value) { return std::to_string(value); }

}  // namespace tarvelax
