// What the two exports do, for exports.cpp and the tests.
#pragma once

#include "I_Morvik.h"

namespace morvik {

// Makes a new log into *slot. MORVIK_E_FAIL when slot is null or *slot
// already holds a log (left untouched); MORVIK_E_OUTOFMEMORY with *slot null
// when no log could be made; MORVIK_S_OK otherwise.
MorvikStatus CreateInterface(I_Morvik** slot);

// Destroys the log in *slot with its items and sets *slot to null.
// MORVIK_E_FAIL when slot is null or holds null.
MorvikStatus DestroyInterface(I_Morvik** slot);

}  // namespace morvik
