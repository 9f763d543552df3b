// UTF-16 to UTF-8, for the names and texts the Linux layer hands to the
// system: file names, diagnostic lines, the dialog program's arguments.
#pragma once

#include <cstdint>

#include "I_Morvik.h"

namespace morvik::platform {

// Reads one code point from text, advancing it; a lone surrogate becomes
// U+FFFD, since UTF-8 cannot carry it.
uint32_t NextCodePoint(const MorvikChar*& text);

// Writes the UTF-8 form of c (at most 4 bytes); returns the byte count.
int PutUtf8(uint32_t c, char* out);

}  // namespace morvik::platform
