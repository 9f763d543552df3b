#include "container_driver_win32.h"

#include <commctrl.h>
#include <ole2.h>

#include <atomic>
#include <fstream>

#include "form_layout_win32.h"
#include "ole_container_win32.h"

namespace tarvelax::test {
namespace {

constexpr DWORD kSendTimeout = 5000;

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                      kSendTimeout, &result);
  return text;
}

struct FindTopLevel {
  DWORD process;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindTopLevelProc(HWND window, LPARAM data) {
  auto* find = reinterpret_cast<FindTopLevel*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == find->process && IsWindowVisible(window) && ClassOf(window) == find->className) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND TopLevelOf(DWORD process, const wchar_t* className) {
  FindTopLevel find = {process, className, nullptr};
  EnumWindows(FindTopLevelProc, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

struct FindChild {
  int id;
  HWND found;
};

BOOL CALLBACK FindChildProc(HWND window, LPARAM data) {
  auto* find = reinterpret_cast<FindChild*>(data);
  if (GetDlgCtrlID(window) == find->id) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectBoxChild(HWND window, LPARAM data) {
  auto* box = reinterpret_cast<MessageBoxSeen*>(data);
  if (!IsWindowVisible(window)) return TRUE;
  const std::wstring cls = ClassOf(window);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if (_wcsicmp(cls.c_str(), L"Static") == 0) {
    if ((style & SS_TYPEMASK) == SS_ICON) {
      DWORD_PTR icon = 0;
      SendMessageTimeoutW(window, STM_GETICON, 0, 0, SMTO_BLOCK, kSendTimeout, &icon);
      if (icon) box->hasIcon = true;
    } else if (GetDlgCtrlID(window) == 0xFFFF) {
      box->text = TextOf(window);
    }
  } else if (_wcsicmp(cls.c_str(), L"Button") == 0) {
    box->buttons.push_back(TextOf(window));
  }
  return TRUE;
}

// The one mouse pointer of the display, shared by every scenario running at
// the same time: held by one process at a time.
class MouseLock {
public:
  MouseLock() : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\TarvelAXScenarioMouse")) {
    if (mutex_) {
      const DWORD waited = WaitForSingleObject(mutex_, 60000);
      held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
  }
  ~MouseLock() {
    if (held_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
  }
  MouseLock(const MouseLock&) = delete;
  MouseLock& operator=(const MouseLock&) = delete;

private:
  HANDLE mutex_;
  bool held_ = false;
};

}  // namespace

bool ContainerDriver::RaiseAt(POINT point) {
  // Other programs' windows may lie over this one: raise it until the
  // point is on it.
  for (int i = 0; i < 40; ++i) {
    const HWND under = WindowFromPoint(point);
    if (under && GetAncestor(under, GA_ROOT) == form_) return true;
    SetForegroundWindow(form_);
    SetWindowPos(form_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Settle();
    Sleep(50);
  }
  return false;
}

POINT ContainerDriver::OnTopButtonPoint() const {
  // The middle of ToolButtonOnTop, at 74, 2 and 27 x 26 on the tool bar.
  const Component& button = kFormMainLayout[kRowToolButtonOnTop];
  RECT toolBar = {};
  GetWindowRect(ToolBar(), &toolBar);
  return {toolBar.left + button.left + kToolButtonWidth / 2,
          toolBar.top + button.top + kToolButtonHeight / 2};
}

ContainerDriver::ContainerDriver() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  wchar_t full[MAX_PATH] = {};
  GetLongPathNameW(temp, full, MAX_PATH);
  std::wstring base = full[0] ? full : temp;
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  folder_ = base + L"\\tarvelax-scenario-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
  if (!CreateDirectoryW(folder_.c_str(), nullptr)) return;
  program_ = folder_ + L"\\TarvelAXContainer.exe";
  const std::wstring built = ProgramFolder() + L"\\TarvelAXContainer.exe";
  ready_ = CopyFileW(built.c_str(), program_.c_str(), FALSE) != FALSE;
}

ContainerDriver::~ContainerDriver() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  const std::wstring ini = SettingsPath();
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, ini.c_str());
  SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(ini.c_str());
  RemoveDirectoryW(ini.c_str());
  DeleteFileW(program_.c_str());
  RemoveDirectoryW(folder_.c_str());
}

bool ContainerDriver::WriteSettings(const std::string& text) {
  std::ofstream out(SettingsPath().c_str(), std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out);
}

std::optional<std::wstring> ContainerDriver::ReadSetting(const wchar_t* section, const wchar_t* key) {
  const std::wstring ini = SettingsPath();
  // Drop what this process may hold of the file from an earlier read.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, ini.c_str());
  constexpr wchar_t kAbsent[] = L"\x1" L"absent";
  wchar_t value[2048] = {};
  GetPrivateProfileStringW(section, key, kAbsent, value, 2048, ini.c_str());
  if (std::wstring(value) == kAbsent) return std::nullopt;
  return std::wstring(value);
}

bool ContainerDriver::SettingsFileExists() const {
  return GetFileAttributesW(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ContainerDriver::Start(const std::vector<std::wstring>& arguments, bool waitForWindow) {
  if (!ready_) return false;
  std::wstring commandLine = L"\"" + program_ + L"\"";
  for (const auto& argument : arguments) commandLine += L" " + argument;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessW(program_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder_.c_str(), &startup, &process_)) {
    return false;
  }
  return waitForWindow ? WaitForWindow() : true;
}

bool ContainerDriver::WaitForWindow() {
  WaitForInputIdle(process_.hProcess, 10000);
  const DWORD id = process_.dwProcessId;
  if (!WaitFor([&] { return (form_ = TopLevelOf(id, kFormMainClass)) != nullptr; }, 30000)) {
    return false;
  }
  Settle();
  return true;
}

void ContainerDriver::Settle() {
  // A sent message is answered once the program pumps messages again, in
  // its own loop or in a modal box's.
  DWORD_PTR result = 0;
  if (form_) SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_BLOCK, kSendTimeout, &result);
}

HWND ContainerDriver::Descendant(HWND parent, int id) const {
  FindChild find = {id, nullptr};
  EnumChildWindows(parent, FindChildProc, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

HWND ContainerDriver::Combo() const { return Descendant(form_, kIdComboBoxObjects); }
HWND ContainerDriver::CreateButton() const { return Descendant(form_, kIdCreateButton); }
HWND ContainerDriver::ToolBar() const { return Descendant(form_, kIdToolBarMain); }
HWND ContainerDriver::OleContainer() const { return Descendant(form_, kIdOleContainer); }

HWND ContainerDriver::ComboEdit() const {
  return FindWindowExW(Combo(), nullptr, L"Edit", nullptr);
}

HWND ContainerDriver::SampleWindow() const {
  return FindWindowExW(OleContainer(), nullptr, L"TarvelAXSampleWindow", nullptr);
}

RECT ContainerDriver::Bounds() const {
  RECT rect = {};
  GetWindowRect(form_, &rect);
  return rect;
}

std::wstring ContainerDriver::ComboText() const { return TextOf(Combo()); }

std::vector<std::wstring> ContainerDriver::ComboItems() const {
  std::vector<std::wstring> items;
  const HWND combo = Combo();
  DWORD_PTR count = 0;
  SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_BLOCK, kSendTimeout, &count);
  for (DWORD_PTR i = 0; i < count && i < 1000; ++i) {
    wchar_t text[2048] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_BLOCK, kSendTimeout, &length);
    if (length >= 2048) length = 0;
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                        kSendTimeout, &copied);
    items.emplace_back(text);
  }
  return items;
}

int ContainerDriver::ComboSelection() const {
  DWORD_PTR index = 0;
  SendMessageTimeoutW(Combo(), CB_GETCURSEL, 0, 0, SMTO_BLOCK, kSendTimeout, &index);
  return static_cast<int>(static_cast<LRESULT>(index));
}

bool ContainerDriver::IsTopMost() const {
  return (GetWindowLongW(form_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool ContainerDriver::OnTopButtonDown() const {
  DWORD_PTR checked = 0;
  SendMessageTimeoutW(ToolBar(), TB_ISBUTTONCHECKED, kIdToolButtonOnTop, 0, SMTO_BLOCK,
                      kSendTimeout, &checked);
  return checked != 0;
}

int ContainerDriver::ObjectState() const {
  return static_cast<int>(reinterpret_cast<UINT_PTR>(GetPropW(OleContainer(), kObjectStateProperty)));
}

std::wstring ContainerDriver::ObjectName() const {
  const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(OleContainer(), kObjectNameProperty)));
  if (!atom) return {};
  wchar_t name[256] = {};
  GlobalGetAtomNameW(atom, name, 256);
  return name;
}

void ContainerDriver::SetComboText(const std::wstring& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(Combo(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_BLOCK,
                      kSendTimeout, &result);
}

void ContainerDriver::TypeIntoCombo(const std::wstring& characters) {
  const HWND edit = ComboEdit();
  for (wchar_t c : characters) PostMessageW(edit, WM_CHAR, c, 1);
  Settle();
}

void ContainerDriver::ClickCreate() { PostMessageW(CreateButton(), BM_CLICK, 0, 0); }

bool ContainerDriver::ClickOnTopButton() {
  // A mouse click through the system's input queue, as a person's click.
  MouseLock lock;
  const POINT point = OnTopButtonPoint();
  if (!RaiseAt(point)) return false;
  SetCursorPos(point.x, point.y);
  INPUT inputs[2] = {};
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
  Settle();
  return true;
}

void ContainerDriver::PostClose() { PostMessageW(form_, WM_CLOSE, 0, 0); }

std::optional<std::wstring> ContainerDriver::HoverOnTopButton() {
  MouseLock lock;
  const POINT point = OnTopButtonPoint();
  if (!RaiseAt(point)) return std::nullopt;
  SetCursorPos(point.x - 2, point.y);
  INPUT move = {};
  move.type = INPUT_MOUSE;
  move.mi.dx = 2;
  move.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &move, sizeof move);
  HWND tip = nullptr;
  const DWORD id = process_.dwProcessId;
  if (!WaitFor([&] { return (tip = TopLevelOf(id, TOOLTIPS_CLASSW)) != nullptr; }, 5000)) {
    return std::nullopt;
  }
  return TextOf(tip);
}

HWND ContainerDriver::FocusWindow() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(process_.dwThreadId, &info);
  return info.hwndFocus;
}

bool ContainerDriver::TabTo(HWND window) {
  for (int i = 0; i < 10; ++i) {
    const HWND focus = FocusWindow();
    if (focus == window) return true;
    const HWND target = focus ? focus : form_;
    PostMessageW(target, WM_KEYDOWN, VK_TAB, 1);
    PostMessageW(target, WM_KEYUP, VK_TAB, 0xC0000001);
    WaitFor([&] { return FocusWindow() != focus; }, 1000);
  }
  return FocusWindow() == window;
}

void ContainerDriver::PressEnter() {
  const HWND focus = FocusWindow();
  const HWND target = focus ? focus : form_;
  PostMessageW(target, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(target, WM_KEYUP, VK_RETURN, 0xC0000001);
}

std::optional<MessageBoxSeen> ContainerDriver::WaitMessageBox(DWORD milliseconds) const {
  HWND box = nullptr;
  const DWORD id = process_.dwProcessId;
  if (!WaitFor([&] { return (box = TopLevelOf(id, L"#32770")) != nullptr; }, milliseconds)) {
    return std::nullopt;
  }
  MessageBoxSeen seen;
  seen.window = box;
  // The box lays itself out before it shows; read it once it is still.
  Sleep(100);
  seen.caption = TextOf(box);
  EnumChildWindows(box, CollectBoxChild, reinterpret_cast<LPARAM>(&seen));
  GetWindowRect(box, &seen.bounds);
  return seen;
}

bool ContainerDriver::PressOk(const MessageBoxSeen& box) {
  const HWND ok = GetDlgItem(box.window, IDOK);
  if (!ok) return false;
  PostMessageW(ok, BM_CLICK, 0, 0);
  const bool gone = WaitFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
  Settle();
  return gone;
}

std::optional<DWORD> ContainerDriver::WaitExit(DWORD milliseconds) {
  if (!process_.hProcess || WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

bool RegisterSampleAndAliases() {
  const std::wstring dll = ProgramFolder() + L"\\TarvelAXSample.dll";
  HMODULE module = LoadLibraryW(dll.c_str());
  if (!module) return false;
  using Register = HRESULT(STDAPICALLTYPE*)();
  auto registerServer = reinterpret_cast<Register>(GetProcAddress(module, "DllRegisterServer"));
  const HRESULT registered = registerServer ? registerServer() : E_FAIL;
  FreeLibrary(module);
  if (FAILED(registered)) return false;
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(L"TarvelAX.Sample", &clsid))) return false;
  wchar_t clsidText[64] = {};
  StringFromGUID2(clsid, clsidText, 64);
  for (const wchar_t* alias : {L"A", L"B", L"C", L"D", L"E"}) {
    const std::wstring key = std::wstring(alias) + L"\\CLSID";
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS) {
      return false;
    }
    RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsidText),
                   static_cast<DWORD>((wcslen(clsidText) + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
  }
  return true;
}

}  // namespace tarvelax::test
