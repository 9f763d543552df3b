// The two user dialogs of the log, as the platform layer provides them.
// Log::AddUserComment and Log::SaveLogAs are written on top of these; each
// platform folder (win32/, posix/) implements both functions. Neither holds
// a log lock: both block the calling thread until the user has answered.
#pragma once

#include "I_Morvik.h"

namespace morvik {

// Shows a modal input box with caption, prompt, a multi-line field and an
// "OK" button. Returns true when the user pressed "OK"; output then holds the
// field's text, cut to capacity - 1 code units and terminated. On a close
// request it returns false with output emptied. style and owner are the
// message-box style and owner window of the platform (owner may be null).
bool ShowInputBox(const MorvikChar* caption, const MorvikChar* prompt, MorvikChar* output,
                  int capacity, unsigned style, void* owner);

// Shows the platform's save-file dialog. filter is a list of pairs of
// terminated texts (description, pattern) ended by an extra terminator.
// Returns non-zero when a name was chosen; outPath then holds it,
// terminated, in at most capacity code units.
int ShowSaveDialog(const MorvikChar* title, const MorvikChar* initialName, const MorvikChar* filter,
                   const MorvikChar* defaultExtension, MorvikChar* outPath, int capacity, void* owner);

}  // namespace morvik
