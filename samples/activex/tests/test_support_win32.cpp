#include "test_support_win32.h"

#include <ocidl.h>
#include <wrl/client.h>

#include <string>

#include "../sample_state_win32.h"

using Microsoft::WRL::ComPtr;

namespace tarvelax::sample::testing {

HMODULE SampleDll() {
  static HMODULE dll = [] {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return LoadLibraryW((folder + L"TarvelAXSample.dll").c_str());
  }();
  return dll;
}

HRESULT CallExport(const char* name) {
  HMODULE dll = SampleDll();
  if (!dll) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  using Export = HRESULT(STDAPICALLTYPE*)();
  auto function = reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  if (!function) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
  return function();
}

HRESULT RegisterSampleForTests() { return CallExport("DllRegisterServer"); }

namespace {

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

HWND CreateHostWindow(const wchar_t* caption, int client_width, int client_height) {
  static const ATOM atom = [] {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = HostProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = L"TarvelAXSampleTestHost";
    return RegisterClassExW(&window_class);
  }();
  if (!atom) return nullptr;
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT frame = {0, 0, client_width, client_height};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExW(0, L"TarvelAXSampleTestHost", caption, style, 80, 60,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window) {
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
  }
  return window;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

std::int64_t SavedClicks(IUnknown* object) {
  ComPtr<IPersistStreamInit> persist;
  if (!object || FAILED(object->QueryInterface(IID_PPV_ARGS(&persist)))) return -1;
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return -1;
  if (FAILED(persist->Save(stream.Get(), FALSE))) return -1;
  const LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  SampleState state;
  if (FAILED(ReadSampleState(stream.Get(), &state))) return -1;
  return state.clicks;
}

std::int64_t StoredClicks(IStorage* storage) {
  ComPtr<IStream> stream;
  if (FAILED(storage->OpenStream(kContentsStreamName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                                 0, &stream))) {
    return -1;
  }
  SampleState state;
  if (FAILED(ReadSampleState(stream.Get(), &state))) return -1;
  return state.clicks;
}

RECT RectInParent(HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace tarvelax::sample::testing
