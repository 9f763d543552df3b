// The comment input box on Windows: a standard message box that a
// computer-based-training hook reshapes, while it opens, into a 300 x 200
// window with the prompt, a multi-line edit field and the "OK" button.
#include <windows.h>

#include <atomic>

#include "core/user_dialogs.h"

namespace morvik {
namespace {

constexpr int kBoxWidth = 300;
constexpr int kBoxHeight = 200;
constexpr int kLabelRight = 290;
constexpr int kLabelLift = 41;
constexpr int kGap = 5;
constexpr DWORD kFieldExStyle = 0x200;      // WS_EX_CLIENTEDGE
constexpr DWORD kFieldStyle = 0x500010C4;   // child, visible, multi-line, auto scroll, Enter = new line
constexpr ULONG_PTR kDropShadow = 0x20000;  // CS_DROPSHADOW

// Posted by the hook to the box it has reshaped. The message box of some
// platforms (Wine 8) places its buttons only after the activation
// notification, which undoes the button's place; by the time this message
// is dispatched the box's own layout is done and the geometry is set again.
constexpr UINT kRelayoutMessage = WM_APP + 0x3D1;

// Process-wide state of the one input box that may be open at a time.
struct InputBoxState {
  bool active = false;
  bool accepted = false;
  bool reshaped = false;
  const wchar_t* prompt = nullptr;
  wchar_t* output = nullptr;
  int capacity = 0;
  HINSTANCE instance = nullptr;
  HFONT font = nullptr;
  HHOOK hook = nullptr;
  HWND box = nullptr;
  HWND button = nullptr;
  HWND label = nullptr;
  HWND edit = nullptr;
  WNDPROC previousProc = nullptr;
  WNDPROC previousFieldProc = nullptr;
  bool classStyleSaved = false;
  ULONG_PTR previousClassStyle = 0;
  // The computed geometry, in the box's client coordinates.
  RECT labelBounds{};
  RECT buttonBounds{};
  RECT fieldBounds{};
};

InputBoxState g_box;
std::atomic<bool> g_inputBoxOpen{false};

struct LabelSearch {
  const wchar_t* prompt;
  HWND found;
};

BOOL CALLBACK FindPromptLabel(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<LabelSearch*>(param);
  wchar_t className[16];
  if (GetClassNameW(child, className, 16) == 0 || lstrcmpiW(className, L"STATIC") != 0) {
    return TRUE;
  }
  const int length = GetWindowTextLengthW(child);
  if (length != lstrlenW(search->prompt)) {
    return TRUE;
  }
  auto* text = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(wchar_t)));
  if (text == nullptr) {
    return TRUE;
  }
  GetWindowTextW(child, text, length + 1);
  const bool same = lstrcmpW(text, search->prompt) == 0;
  HeapFree(GetProcessHeap(), 0, text);
  if (same) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

void RestoreClassStyle() {
  if (g_box.classStyleSaved && g_box.box != nullptr) {
    SetClassLongPtrW(g_box.box, GCL_STYLE, static_cast<LONG_PTR>(g_box.previousClassStyle));
    g_box.classStyleSaved = false;
  }
}

void MoveTo(HWND window, const RECT& bounds) {
  MoveWindow(window, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
}

// Places the button from its current size and sizes the field down to it:
// bottom centre, twice its height plus 10 above the box's outer bottom
// edge, the field 5 above it. All bounds are in the box's client
// coordinates, as MoveWindow takes them for a child.
void PlaceButtonAndField() {
  RECT buttonRect;
  GetWindowRect(g_box.button, &buttonRect);
  const int w = buttonRect.right - buttonRect.left;
  const int bh = buttonRect.bottom - buttonRect.top;
  const int buttonLeft = (kBoxWidth - w) / 2;
  const int buttonTop = kBoxHeight - 2 * bh - 10;
  g_box.buttonBounds = RECT{buttonLeft, buttonTop, buttonLeft + w, buttonTop + bh};
  MoveTo(g_box.button, g_box.buttonBounds);
  g_box.fieldBounds.bottom = buttonTop - kGap;
  if (g_box.edit != nullptr) {
    MoveTo(g_box.edit, g_box.fieldBounds);
  }
}

// Sets the geometry again once the box's own layout is done.
void ApplyLayout() {
  RECT boxRect;
  if (GetWindowRect(g_box.box, &boxRect) &&
      (boxRect.right - boxRect.left != kBoxWidth || boxRect.bottom - boxRect.top != kBoxHeight)) {
    MoveWindow(g_box.box, boxRect.left, boxRect.top, kBoxWidth, kBoxHeight, TRUE);
  }
  MoveTo(g_box.label, g_box.labelBounds);
  PlaceButtonAndField();
}

LRESULT CALLBACK InputBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC previous = g_box.previousProc;
  if (message == WM_DESTROY) {
    RestoreClassStyle();
  }
  if (!g_box.active) {
    return CallWindowProcW(previous, hwnd, message, wParam, lParam);
  }
  switch (message) {
    case WM_CLOSE:
      g_box.output[0] = L'\0';
      DestroyWindow(hwnd);
      g_box.active = false;
      return 0;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == g_box.button) {
        // GetWindowTextW copies at most capacity - 1 units and terminates:
        // the field itself has no length limit, so a longer text is cut.
        g_box.output[0] = L'\0';
        GetWindowTextW(g_box.edit, g_box.output, g_box.capacity);
        g_box.accepted = true;
        DestroyWindow(hwnd);
        g_box.active = false;
      }
      // Every other command, the Escape key's among them, is ignored.
      return 0;
    case kRelayoutMessage:
      ApplyLayout();
      return 0;
    default:
      break;
  }
  return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

// A multi-line edit field in a dialog answers Escape by posting WM_CLOSE to
// the dialog, which would close the box and drop the typed text: the field
// ignores Escape, so the key does nothing wherever the focus is.
LRESULT CALLBACK FieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR) && wParam == VK_ESCAPE) {
    return 0;
  }
  return CallWindowProcW(g_box.previousFieldProc, hwnd, message, wParam, lParam);
}

// Turns the freshly activated message box into the input box.
void ReshapeBox(HWND box) {
  g_box.reshaped = true;
  wchar_t className[16];
  if (GetClassNameW(box, className, 16) == 0 || lstrcmpW(className, L"#32770") != 0) {
    OutputDebugStringW(L"ShowInputBox: The activated window is not a message box");
    return;
  }
  HWND button = GetDlgItem(box, IDOK);
  LabelSearch search{g_box.prompt, nullptr};
  EnumChildWindows(box, FindPromptLabel, reinterpret_cast<LPARAM>(&search));
  if (button == nullptr || search.found == nullptr) {
    OutputDebugStringW(L"ShowInputBox: The message box has no button or prompt label");
    return;
  }
  g_box.box = box;
  g_box.button = button;
  g_box.label = search.found;

  g_box.previousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InputBoxProc)));

  // The class style is shared by every dialog of the process: add the
  // shadow only while this box is open and put the old bits back after.
  g_box.previousClassStyle = GetClassLongPtrW(box, GCL_STYLE);
  g_box.classStyleSaved = true;
  SetClassLongPtrW(box, GCL_STYLE, static_cast<LONG_PTR>(g_box.previousClassStyle | kDropShadow));

  RECT boxRect;
  GetWindowRect(box, &boxRect);
  MoveWindow(box, boxRect.left, boxRect.top, kBoxWidth, kBoxHeight, TRUE);

  RECT labelRect;
  GetWindowRect(g_box.label, &labelRect);
  const int x = labelRect.left - boxRect.left;
  const int y = labelRect.top - boxRect.top - kLabelLift;
  const int h = labelRect.bottom - labelRect.top;
  g_box.labelBounds = RECT{x, y, kLabelRight, y + h};
  MoveTo(g_box.label, g_box.labelBounds);

  const int fieldTop = y + h + kGap;
  g_box.fieldBounds = RECT{x, fieldTop, x + kLabelRight - 2 * x, fieldTop};
  PlaceButtonAndField();
  SetWindowTextW(button, L"OK");

  const RECT& field = g_box.fieldBounds;
  g_box.edit = CreateWindowExW(kFieldExStyle, L"EDIT", L"", kFieldStyle, field.left, field.top,
                               field.right - field.left, field.bottom - field.top, box, nullptr,
                               g_box.instance, nullptr);
  if (g_box.edit == nullptr) {
    OutputDebugStringW(L"ShowInputBox: Cannot create the edit field");
    return;
  }
  SendMessageW(g_box.edit, WM_SETFONT, reinterpret_cast<WPARAM>(g_box.font), FALSE);
  g_box.previousFieldProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(g_box.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProc)));

  g_box.active = true;
  PostMessageW(box, kRelayoutMessage, 0, 0);
}

LRESULT CALLBACK InputBoxHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    if (g_box.active) {
      return 0;
    }
    // Only the first activation is the message box; a later one (the owner
    // or another window of this thread, once the box is gone) is left alone.
    if (!g_box.reshaped) {
      ReshapeBox(reinterpret_cast<HWND>(wParam));
      return 0;
    }
  }
  return CallNextHookEx(g_box.hook, code, wParam, lParam);
}

}  // namespace

bool ShowInputBox(const MorvikChar* caption, const MorvikChar* prompt, MorvikChar* output, int capacity,
                  unsigned style, void* owner) {
  if (output == nullptr || capacity <= 0 || prompt == nullptr) {
    OutputDebugStringW(L"ShowInputBox: No prompt or no room for the text");
    return false;
  }
  output[0] = L'\0';
  if (g_inputBoxOpen.exchange(true)) {
    OutputDebugStringW(L"ShowInputBox: Another input box is open in this process");
    return false;
  }

  g_box = InputBoxState{};
  g_box.prompt = prompt;
  g_box.output = output;
  g_box.capacity = capacity;
  g_box.instance = GetModuleHandleW(nullptr);
  g_box.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  g_box.hook = SetWindowsHookExW(WH_CBT, InputBoxHookProc, nullptr, GetCurrentThreadId());
  if (g_box.hook == nullptr) {
    OutputDebugStringW(L"ShowInputBox: Cannot install the window hook");
  } else {
    MessageBoxW(static_cast<HWND>(owner), prompt, caption, style);
    UnhookWindowsHookEx(g_box.hook);
  }
  RestoreClassStyle();
  const bool accepted = g_box.accepted;
  g_box = InputBoxState{};
  g_inputBoxOpen.store(false);
  return accepted;
}

}  // namespace morvik
