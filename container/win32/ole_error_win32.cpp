#include "ole_error_win32.h"

#include <cstdio>

#include "text_encoding_win32.h"

namespace tarvelax {

std::string OleErrorText(HRESULT result) {
  wchar_t buffer[1024] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(result), 0, buffer, static_cast<DWORD>(std::size(buffer)),
                     nullptr);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  if (text.empty()) {
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "OLE error 0x%08lX",
                  static_cast<unsigned long>(result));
    return fallback;
  }
  return WideToUtf8(text);
}

}  // namespace tarvelax
