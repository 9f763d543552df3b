// The comment input box on Linux, shown by the dialog program.
#include <string>
#include <vector>

#include "dialog_helper_posix.h"
#include "core/user_dialogs.h"

namespace morvik {

bool ShowInputBox(const MorvikChar* caption, const MorvikChar* prompt, MorvikChar* output, int capacity,
                  unsigned /*style*/, void* /*owner*/) {
  if (output == nullptr || capacity <= 0) {
    return false;
  }
  output[0] = 0;
  try {
    // The program cuts the text to capacity - 1 units itself, so the answer
    // stays small even when the person pasted a book.
    const std::vector<std::string> fields = {dialogs::ToUtf8(caption), dialogs::ToUtf8(prompt),
                                             std::to_string(capacity - 1)};
    std::string reply;
    if (dialogs::RunDialogHelper("ShowInputBox", "input", fields, &reply) != dialogs::HelperResult::kAccepted) {
      return false;
    }
    const std::u16string text = dialogs::FromUtf8(reply);
    std::size_t length = text.size();
    if (length > static_cast<std::size_t>(capacity - 1)) {
      length = static_cast<std::size_t>(capacity - 1);
    }
    for (std::size_t i = 0; i < length; ++i) {
      output[i] = text[i];
    }
    output[length] = 0;
    return true;
  } catch (...) {
    output[0] = 0;
    return false;
  }
}

}  // namespace morvik
