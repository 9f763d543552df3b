// Text conversions of the Windows layer: UTF-8 (the core's texts) to and
// from UTF-16 (the W functions of the user interface) and the ANSI code page
// (the 8-bit texts of the settings file).
#pragma once

#include <string>
#include <string_view>

namespace tarvelax {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Characters the ANSI code page lacks become "?", as the 8-bit functions
// make them.
std::string Utf8ToAnsi(std::string_view text);
std::string AnsiToUtf8(std::string_view text);

}  // namespace tarvelax
