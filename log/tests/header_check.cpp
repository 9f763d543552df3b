// Compiled as C++11 with every warning an error: I_Morvik.h is a plain
// client header, and including it twice is harmless.
#include "I_Morvik.h"
#include "I_Morvik.h"

class NullLog : public I_Morvik {
public:
  void MORVIK_CALL Clear() {}
  int32_t MORVIK_CALL GetCount() { return 0; }
  void MORVIK_CALL Message(const MorvikChar*) {}
  void MORVIK_CALL Comment(const MorvikChar*) {}
  void MORVIK_CALL Event(const MorvikChar*) {}
  void MORVIK_CALL Error(const MorvikChar*) {}
  void MORVIK_CALL Warning(const MorvikChar*) {}
  uint32_t MORVIK_CALL GetLogData(void*, uint32_t) { return 0; }
  bool MORVIK_CALL ExportToFile(const MorvikChar*, bool) { return false; }
  void MORVIK_CALL AddUserComment() {}
  bool MORVIK_CALL SaveLogAs(bool) { return false; }
};

int MorvikHeaderCheck() {
  NullLog log;
  I_Morvik* slot = &log;
  MorvikGetInterfaceFn get = 0;
  MorvikFreeInterfaceFn release = 0;
  return slot->GetCount() + (get == 0) + (release == 0) + (MORVIK_S_OK == 0) + (MORVIK_E_FAIL != 0) +
         (MORVIK_E_OUTOFMEMORY != 0);
}
