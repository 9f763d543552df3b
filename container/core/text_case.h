// Letter-case rules for the container's texts (UTF-8): the comparisons that
// ignore case fold the Latin and the Cyrillic letters; other characters are
// compared as they are.
#pragma once

#include <string>
#include <string_view>

namespace tarvelax {

// text with every Latin and Cyrillic capital letter in lower case.
std::string ToLowerText(std::string_view text);

// text with every Latin and Cyrillic small letter in upper case.
std::string ToUpperText(std::string_view text);

// True when a and b are equal, letter case ignored.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// True when text begins with prefix, letter case ignored.
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);

}  // namespace tarvelax
