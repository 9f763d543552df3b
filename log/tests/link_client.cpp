// A client linked against the import library (or the shared object) at
// build time: the exports' names and calling convention resolve.
#include "I_Morvik.h"

int main() {
  I_Morvik* log = 0;
  if (GetInterface(&log) != MORVIK_S_OK || log == 0) return 1;
  const int count = log->GetCount();
  return FreeInterface(&log) == MORVIK_S_OK && log == 0 && count == 0 ? 0 : 1;
}
