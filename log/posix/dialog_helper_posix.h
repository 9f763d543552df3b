// The Linux dialogs live in a separate program, morvik-dialogs, installed
// beside the library: the library links no GUI toolkit, and the program's
// toolkit never meets the one (if any) of the client. The library starts the
// program for each dialog and waits for its answer; texts travel as UTF-8
// over two pipes.
#pragma once

#include <string>
#include <vector>

#include "I_Morvik.h"

namespace morvik::dialogs {

enum class HelperResult {
  kAccepted,     // the person answered; reply holds the text
  kDeclined,     // the dialog was closed or cancelled
  kUnavailable,  // no dialog could be shown; a diagnostic line says why
};

// Runs "morvik-dialogs <operation>", sends the fields (each followed by a
// zero byte) on its standard input and collects its answer. operationName
// prefixes the diagnostic line, as in "ShowInputBox".
HelperResult RunDialogHelper(const char* operationName, const char* operation,
                             const std::vector<std::string>& fields, std::string* reply);

// UTF-16 <-> UTF-8. Unpaired surrogates and malformed bytes become U+FFFD.
std::string ToUtf8(const MorvikChar* text);
std::u16string FromUtf8(const std::string& text);

// Sends "<operationName>: <message>" to the library's debugger channel.
void ReportDialogProblem(const char* operationName, const std::string& message);

}  // namespace morvik::dialogs
