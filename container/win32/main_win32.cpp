// The program entry of TarvelAXContainer on Windows.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <exception>
#include <new>
#include <string>
#include <vector>

#include "container_error.h"
#include "form_main_win32.h"
#include "message_boxes_win32.h"
#include "program_names.h"
#include "text_encoding_win32.h"

namespace tarvelax {

// The main window of the program, set before its constructor runs.
TFormMain* FormMain = nullptr;

namespace {

std::string ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return WideToUtf8(path);
    }
    path.resize(path.size() * 2);
  }
}

// The command-line arguments after the program name.
std::vector<std::string> Arguments() {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!list) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(WideToUtf8(list[i]));
  LocalFree(list);
  return arguments;
}

void RunMessageLoop(HWND form) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The dialog manager moves the focus with Tab and turns Enter into
    // IDOK, which the form passes to a focused CreateButton only.
    if (IsWindow(form) && IsDialogMessageW(form, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int Run(HINSTANCE instance, int showCommand) {
  const std::string programPath = ProgramPath();
  const std::wstring title = Utf8ToWide(ApplicationTitle(programPath));
  try {
    const HRESULT ole = OleInitialize(nullptr);
    if (FAILED(ole)) throw ContainerError("OLE could not be initialised");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!TFormMain::RegisterWindowClasses(instance)) {
      throw ContainerError("Cannot register the window classes");
    }
    // FormMain is set before the constructor runs and cleared if it fails.
    void* memory = ::operator new(sizeof(TFormMain));
    FormMain = static_cast<TFormMain*>(memory);
    try {
      new (memory) TFormMain(instance, programPath, title, Arguments());
    } catch (...) {
      FormMain = nullptr;
      ::operator delete(memory);
      throw;
    }
    FormMain->Show(showCommand);
    RunMessageLoop(FormMain->Window());
    FormMain->~TFormMain();
    ::operator delete(FormMain);
    FormMain = nullptr;
  } catch (const std::exception& e) {
    ShowExceptionBox(nullptr, title, Utf8ToWide(ExceptionBoxText(e.what())));
  } catch (...) {
    ShowExceptionBox(nullptr, title, L"");
  }
  OleUninitialize();
  return 0;
}

}  // namespace
}  // namespace tarvelax

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  return tarvelax::Run(instance, showCommand);
}
