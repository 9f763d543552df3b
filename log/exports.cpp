// The library's two exports. Nothing thrown inside passes them.
#include "I_Morvik.h"
#include "core/log_boundary.h"

extern "C" MORVIK_API MorvikStatus MORVIK_CALL GetInterface(I_Morvik** slot) {
  try {
    return morvik::CreateInterface(slot);
  } catch (...) {
    return MORVIK_E_FAIL;
  }
}

extern "C" MORVIK_API MorvikStatus MORVIK_CALL FreeInterface(I_Morvik** slot) {
  try {
    return morvik::DestroyInterface(slot);
  } catch (...) {
    return MORVIK_E_FAIL;
  }
}
