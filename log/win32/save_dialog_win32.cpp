// The save dialog on Windows: the common save-file dialog.
#include <windows.h>
#include <commdlg.h>

#include <new>

#include "core/user_dialogs.h"

namespace morvik {

int ShowSaveDialog(const MorvikChar* title, const MorvikChar* initialName, const MorvikChar* filter,
                   const MorvikChar* defaultExtension, MorvikChar* outPath, int capacity, void* owner) {
  if (outPath == nullptr || capacity <= 0) {
    return 0;
  }
  wchar_t* work = new (std::nothrow) wchar_t[capacity];
  if (work == nullptr) {
    OutputDebugStringW(L"ShowSaveDialog: Cannot get memory for the file name");
    return 0;
  }
  // A bounded copy: an initial name longer than the buffer is cut.
  lstrcpynW(work, initialName != nullptr ? initialName : L"", capacity);

  OPENFILENAMEW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = static_cast<HWND>(owner);
  request.lpstrFilter = filter;
  request.nFilterIndex = 0;
  request.lpstrFile = work;
  request.nMaxFile = static_cast<DWORD>(capacity);
  request.lpstrFileTitle = nullptr;
  request.lpstrInitialDir = nullptr;
  request.lpstrTitle = title;
  request.lpstrDefExt = defaultExtension;
  // The folder must exist and an existing file is replaced only when the
  // user agrees; a new file name is accepted.
  request.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;

  const int result = GetSaveFileNameW(&request) ? 1 : 0;
  if (result != 0) {
    lstrcpynW(outPath, work, capacity);
  }
  delete[] work;
  return result;
}

}  // namespace morvik
