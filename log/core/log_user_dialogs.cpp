// The two operations that ask the person in front of the screen: slot 9
// (AddUserComment) and slot 10 (SaveLogAs). Until the dialogs of
// user_dialogs.h exist, neither asks: no comment is logged and no file saved.
#include "log.h"

namespace morvik {

void MORVIK_CALL Log::AddUserComment() {}

bool MORVIK_CALL Log::SaveLogAs(bool /*scramble*/) { return false; }

}  // namespace morvik
