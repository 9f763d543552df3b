// The main window as the handlers see it: the controls they read and set,
// the window bounds and the two standard message boxes. Texts are UTF-8;
// the platform layer translates them for its widgets.
#pragma once

#include <string>
#include <vector>

namespace tarvelax {

// Outer bounds of a window in screen coordinates.
struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

class MainView {
public:
  virtual ~MainView() = default;

  // ComboBoxObjects: its edit text and its list, top first.
  virtual std::string ComboText() = 0;
  virtual void SetComboText(const std::string& text) = 0;
  virtual std::vector<std::string> ComboItems() = 0;
  virtual void InsertComboItemAtTop(const std::string& text) = 0;

  // The main window's current bounds (a maximised window gives its
  // maximised rectangle), and moving it.
  virtual WindowBounds Bounds() = 0;
  virtual void SetBounds(const WindowBounds& bounds) = 0;

  // ToolButtonOnTop's down state, and placing the window in or out of the
  // top-most band at bounds, shown.
  virtual bool OnTopButtonDown() = 0;
  virtual void PlaceTopMost(bool topMost, const WindowBounds& bounds) = 0;

  // The simple message: modal, centred on the screen, no icon, captioned
  // with the application title, one "OK".
  virtual void ShowMessage(const std::string& text) = 0;
  // The standard exception box: stop icon, the application title, one
  // "OK"; text is shown as given (ExceptionBoxText already applied).
  virtual void ShowException(const std::string& text) = 0;
};

}  // namespace tarvelax
