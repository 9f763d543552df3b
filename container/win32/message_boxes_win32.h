// The two standard message boxes of the container.
#pragma once

#include <windows.h>

#include <string>

namespace tarvelax {

// The simple message: modal to owner, centred on the screen, no icon,
// captioned with title, one "OK".
void ShowSimpleMessage(HWND owner, const std::wstring& title, const std::wstring& text);

// The standard exception box: stop icon, captioned with title, one "OK";
// text as given.
void ShowExceptionBox(HWND owner, const std::wstring& title, const std::wstring& text);

}  // namespace tarvelax
