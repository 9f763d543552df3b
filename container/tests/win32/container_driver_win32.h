// Drives a real TarvelAXContainer.exe from outside, as a person would with
// the mouse and keyboard: the program runs from a fresh folder of its own
// with a prepared settings file, and every action is a window message.
// Every wait is bounded; a container still running at the end is ended.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tarvelax::test {

// A message box of the container, as found on the screen.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
  bool hasIcon = false;
  std::vector<std::wstring> buttons;
  RECT bounds = {};
};

class ContainerDriver {
public:
  // Makes a fresh folder holding a copy of the program built beside this
  // test. Check Ready() before use.
  ContainerDriver();
  ~ContainerDriver();
  ContainerDriver(const ContainerDriver&) = delete;
  ContainerDriver& operator=(const ContainerDriver&) = delete;

  bool Ready() const { return ready_; }
  const std::wstring& Folder() const { return folder_; }
  std::wstring SettingsPath() const { return folder_ + L"\\TarvelAXContainer.ini"; }

  // Writes the settings file with text as its content (CRLF line ends).
  bool WriteSettings(const std::string& text);
  // The value of key in the settings file, or std::nullopt when absent.
  std::optional<std::wstring> ReadSetting(const wchar_t* section, const wchar_t* key);
  bool SettingsFileExists() const;

  // Starts the program with arguments and, unless told not to, waits until
  // its window shows.
  bool Start(const std::vector<std::wstring>& arguments = {}, bool waitForWindow = true);
  // Waits until the program's main window shows.
  bool WaitForWindow();
  // Waits until the program's message queue is idle again.
  void Settle();

  HWND Form() const { return form_; }
  HWND Combo() const;
  HWND ComboEdit() const;
  HWND CreateButton() const;
  HWND ToolBar() const;
  HWND OleContainer() const;
  // The sample control's own window inside the container, if any.
  HWND SampleWindow() const;

  RECT Bounds() const;
  std::wstring ComboText() const;
  std::vector<std::wstring> ComboItems() const;
  int ComboSelection() const;
  bool IsTopMost() const;
  bool OnTopButtonDown() const;
  // The container's object: state (0 empty, 1 created, 2 shown, 3 closed)
  // and the name it was created from.
  int ObjectState() const;
  std::wstring ObjectName() const;

  void SetComboText(const std::wstring& text);
  void TypeIntoCombo(const std::wstring& characters);
  void ClickCreate();
  // Clicks ToolButtonOnTop with the mouse; false when the button could not
  // be brought under the pointer.
  bool ClickOnTopButton();
  void PostClose();
  // Rests the mouse on ToolButtonOnTop and waits for its hint; the hint's
  // text, or std::nullopt when none showed.
  std::optional<std::wstring> HoverOnTopButton();
  // The window that has the keyboard focus in the program.
  HWND FocusWindow() const;
  // Presses Tab until window has the focus; false when it never gets it.
  bool TabTo(HWND window);
  // Presses Enter where the focus is.
  void PressEnter();

  // Waits until cond holds or the time is up.
  template <typename Condition>
  bool WaitFor(Condition cond, DWORD milliseconds = 15000) const {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
      if (cond()) return true;
      if (GetTickCount64() >= end) return false;
      Sleep(20);
    }
  }
  // Waits for a message box of the program and reads it.
  std::optional<MessageBoxSeen> WaitMessageBox(DWORD milliseconds = 15000) const;
  // Presses the box's OK button with a posted click and waits until it goes.
  bool PressOk(const MessageBoxSeen& box);

  // Waits for the program to end; its exit code, or std::nullopt.
  std::optional<DWORD> WaitExit(DWORD milliseconds = 15000);

private:
  HWND Descendant(HWND parent, int id) const;
  POINT OnTopButtonPoint() const;
  bool RaiseAt(POINT point);

  bool ready_ = false;
  std::wstring folder_;
  std::wstring program_;
  PROCESS_INFORMATION process_ = {};
  HWND form_ = nullptr;
};

// Registers the sample control built beside this test, and the names
// A, B, C, D and E as further ProgIDs of its class. True when TarvelAX.Sample resolves afterwards.
bool RegisterSampleAndAliases();

}  // namespace tarvelax::test
