// The integer syntax of the settings file's values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvelax {

// Reads text as an integer: leading blanks, then either decimal digits with
// an optional sign, or hexadecimal digits without a sign after "0x", "0X",
// "$", "x" or "X". Up to eight significant hexadecimal digits are a 32-bit
// pattern ("$FFFFFFFF" is -1). Anything else (empty text, trailing
// characters, a decimal outside the 32-bit range, a ninth significant
// hexadecimal digit) gives def.
std::int32_t ParseProfileInteger(std::string_view text, std::int32_t def);

// value in decimal, as integers are written.
std::string FormatProfileInteger(std::int32_t value);

}  // namespace tarvelax
