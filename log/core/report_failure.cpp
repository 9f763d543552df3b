// The library's diagnostic lines on the debugger output channel.
#include "log.h"
#include "text_format.h"

namespace morvik {
namespace {

constexpr std::size_t kLineUnits = 1024;  // terminator included

bool IsHighSurrogate(MorvikChar c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

void ReportFailure(int32_t code, const MorvikChar* message) {
  try {
    MorvikChar line[kLineUnits];
    const std::size_t length = Format(line, kLineUnits, MORVIK_TEXT("%i %s\r\n"), code, message);
    if (length >= kLineUnits) {
      // Cut the message, keep the line end, and split no surrogate pair.
      std::size_t end = kLineUnits - 3;
      if (IsHighSurrogate(line[end - 1])) --end;
      line[end] = '\r';
      line[end + 1] = '\n';
      line[end + 2] = 0;
    }
    platform::DebugOutput(line);
  } catch (...) {
  }
}

void ReportText(const MorvikChar* message) {
  try {
    platform::DebugOutput(message);
  } catch (...) {
  }
}

}  // namespace morvik
