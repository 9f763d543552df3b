#include "log_boundary.h"

#include "log.h"

namespace morvik {

MorvikStatus CreateInterface(I_Morvik** slot) {
  if (slot == nullptr || *slot != nullptr) return MORVIK_E_FAIL;
  Log* log = Log::Create();
  *slot = log;
  return log != nullptr ? MORVIK_S_OK : MORVIK_E_OUTOFMEMORY;
}

MorvikStatus DestroyInterface(I_Morvik** slot) {
  if (slot == nullptr || *slot == nullptr) return MORVIK_E_FAIL;
  // Every I_Morvik this library hands out is a Log.
  Log::Destroy(static_cast<Log*>(*slot));
  *slot = nullptr;
  return MORVIK_S_OK;
}

}  // namespace morvik
