// The two operations that ask the person in front of the screen: slot 9
// (AddUserComment) logs a typed comment, slot 10 (SaveLogAs) exports the log
// to a file the person names. The dialogs themselves are the platform's
// (user_dialogs.h); no log lock is held while one is open.
#include "log.h"
#include "user_dialogs.h"

namespace morvik {
namespace {

// The input box returns at most kCommentCapacity - 1 = 4095 code units; the
// buffer also holds the appended "\r\n" and the terminator.
constexpr int kCommentCapacity = 4096;
constexpr int kCommentBufferSize = kCommentCapacity + 2;

// The platform's message-box style: a question icon and the single OK button.
constexpr unsigned kInputBoxStyle = 0x20;

// Path buffer of the save dialog; the dialog is offered exactly this many
// code units, so a long path is refused by the dialog instead of overflowing.
constexpr int kPathCapacity = 520;

// Each text followed by its terminator, the list ended by an extra one.
constexpr MorvikChar kSaveFilter[] = MORVIK_TEXT("Binary (*.dat)\0*.dat\0");

}  // namespace

void MORVIK_CALL Log::AddUserComment() {
  try {
    MorvikChar text[kCommentBufferSize];
    text[0] = 0;
    if (!ShowInputBox(MORVIK_TEXT("Лог"), MORVIK_TEXT("Добавьте свой коментарий сюда:"), text,
                      kCommentCapacity, kInputBoxStyle, nullptr)) {
      return;
    }
    int length = 0;
    while (length < kCommentCapacity - 1 && text[length] != 0) {
      ++length;
    }
    text[length] = u'\r';
    text[length + 1] = u'\n';
    text[length + 2] = 0;
    Comment(text);
  } catch (...) {
  }
}

bool MORVIK_CALL Log::SaveLogAs(bool scramble) {
  try {
    MorvikChar path[kPathCapacity];
    path[0] = 0;
    if (ShowSaveDialog(MORVIK_TEXT("Сохранить лог как"), MORVIK_TEXT(""), kSaveFilter, MORVIK_TEXT("dat"),
                       path, kPathCapacity, nullptr) == 0) {
      return false;
    }
    path[kPathCapacity - 1] = 0;
    return ExportToFile(path, scramble);
  } catch (...) {
    return false;
  }
}

}  // namespace morvik
