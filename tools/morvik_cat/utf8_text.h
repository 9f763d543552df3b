// utf8_text.h - UTF-16LE bytes to UTF-8.
#ifndef MORVIK_CAT_UTF8_TEXT_H
#define MORVIK_CAT_UTF8_TEXT_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace morvik_cat {

// Appends the UTF-8 form of the UTF-16LE code units in bytes (an odd last
// byte is ignored) to out. A surrogate without its partner becomes U+FFFD;
// returns how many did.
std::size_t AppendUtf8(std::span<const uint8_t> bytes, std::string& out);

}  // namespace morvik_cat

#endif
