#include "message_boxes_win32.h"

namespace tarvelax {
namespace {

// The hook that centres the next message box of this thread on the screen
// (the box would otherwise follow its owner).
thread_local HHOOK centreHook = nullptr;

LRESULT CALLBACK CentreOnScreen(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK hook = centreHook;
  if (code == HCBT_ACTIVATE) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    RECT rect;
    if (GetWindowRect(box, &rect)) {
      const int width = rect.right - rect.left;
      const int height = rect.bottom - rect.top;
      const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
      const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
      SetWindowPos(box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UnhookWindowsHookEx(hook);
    centreHook = nullptr;
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

void ShowSimpleMessage(HWND owner, const std::wstring& title, const std::wstring& text) {
  if (!centreHook) {
    centreHook = SetWindowsHookExW(WH_CBT, CentreOnScreen, nullptr, GetCurrentThreadId());
  }
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_APPLMODAL);
  if (centreHook) {
    UnhookWindowsHookEx(centreHook);
    centreHook = nullptr;
  }
}

void ShowExceptionBox(HWND owner, const std::wstring& title, const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP | MB_APPLMODAL);
}

}  // namespace tarvelax
