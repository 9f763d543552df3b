#include "sample_window_win32.h"

#include "module_state_win32.h"
#include "sample_ids_win32.h"

namespace tarvelax::sample {
namespace {

SampleWindowOwner* OwnerOf(HWND window) {
  return reinterpret_cast<SampleWindowOwner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Paints through a memory bitmap so a resize or a click does not flicker.
void OnPaint(HWND window, SampleWindowOwner* owner) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (!dc) return;
  RECT client;
  GetClientRect(window, &client);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, client.right, client.bottom) : nullptr;
  if (memory && bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    owner->PaintWindow(memory, client);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
  } else {
    owner->PaintWindow(dc, client);
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  EndPaint(window, &paint);
}

LRESULT CALLBACK SampleWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcW(window, message, wparam, lparam);
  }
  SampleWindowOwner* owner = OwnerOf(window);
  if (!owner) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel.
    case WM_PAINT:
      OnPaint(window, owner);
      return 0;
    case WM_LBUTTONDOWN:
      owner->OnWindowClick();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_ACTIVATE;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      owner->OnWindowDestroyed();
      return DefWindowProcW(window, message, wparam, lparam);
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

bool EnsureClassRegistered() {
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(ModuleInstance(), kWindowClassName, &existing)) return true;
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = SampleWindowProc;
  window_class.hInstance = ModuleInstance();
  window_class.hCursor = LoadCursorW(nullptr, IDC_HAND);
  window_class.lpszClassName = kWindowClassName;
  return RegisterClassExW(&window_class) != 0 ||
         GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND CreateSampleWindow(SampleWindowOwner* owner, HWND parent, const RECT& position) {
  if (!EnsureClassRegistered()) return nullptr;
  return CreateWindowExW(0, kWindowClassName, kWindowTitle,
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                         position.left, position.top, position.right - position.left,
                         position.bottom - position.top, parent, nullptr, ModuleInstance(),
                         owner);
}

void UnregisterSampleWindowClass() { UnregisterClassW(kWindowClassName, ModuleInstance()); }

}  // namespace tarvelax::sample
