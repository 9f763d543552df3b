// The save dialog on Linux, shown by the dialog program.
#include <string>
#include <vector>

#include "dialog_helper_posix.h"
#include "core/user_dialogs.h"

namespace morvik {

int ShowSaveDialog(const MorvikChar* title, const MorvikChar* initialName, const MorvikChar* filter,
                   const MorvikChar* defaultExtension, MorvikChar* outPath, int capacity, void* /*owner*/) {
  if (outPath == nullptr || capacity <= 0) {
    return 0;
  }
  try {
    std::vector<std::string> fields = {dialogs::ToUtf8(title), dialogs::ToUtf8(initialName),
                                       dialogs::ToUtf8(defaultExtension)};
    // The filter: pairs of terminated texts, ended by an empty one.
    if (filter != nullptr) {
      const MorvikChar* p = filter;
      while (*p != 0) {
        const MorvikChar* pattern = p;
        while (*pattern != 0) ++pattern;
        ++pattern;
        if (*pattern == 0) {
          break;
        }
        const MorvikChar* next = pattern;
        while (*next != 0) ++next;
        fields.push_back(dialogs::ToUtf8(p));
        fields.push_back(dialogs::ToUtf8(pattern));
        p = next + 1;
      }
    }
    std::string reply;
    if (dialogs::RunDialogHelper("ShowSaveDialog", "save", fields, &reply) != dialogs::HelperResult::kAccepted) {
      return 0;
    }
    const std::u16string path = dialogs::FromUtf8(reply);
    if (path.empty()) {
      return 0;
    }
    if (path.size() > static_cast<std::size_t>(capacity - 1)) {
      dialogs::ReportDialogProblem("ShowSaveDialog", "The chosen path is longer than " +
                                                         std::to_string(capacity - 1) + " code units");
      return 0;
    }
    for (std::size_t i = 0; i < path.size(); ++i) {
      outPath[i] = path[i];
    }
    outPath[path.size()] = 0;
    return 1;
  } catch (...) {
    return 0;
  }
}

}  // namespace morvik
