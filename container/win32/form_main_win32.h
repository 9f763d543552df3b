// TFormMain: the main window FormMain built from kFormMainLayout. It
// translates window messages into the handlers of FormMainCore and
// implements the MainView they use; it decides nothing itself.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "form_layout_win32.h"
#include "form_main_core.h"
#include "main_view.h"
#include "ole_container_win32.h"

namespace tarvelax {

class TFormMain final : public MainView {
public:
  // Registers the window classes of the form and its own components.
  static bool RegisterWindowClasses(HINSTANCE instance);

  // Builds the window and its components (hidden) and restores its bounds.
  // Throws ContainerError when a window cannot be created.
  TFormMain(HINSTANCE instance, const std::string& programPath, std::wstring applicationTitle,
            std::vector<std::string> arguments);
  ~TFormMain() override;
  TFormMain(const TFormMain&) = delete;
  TFormMain& operator=(const TFormMain&) = delete;

  // Runs FormShow, then shows the window.
  void Show(int showCommand);
  HWND Window() const { return windows_[kRowFormMain]; }

  // MainView
  std::string ComboText() override;
  void SetComboText(const std::string& text) override;
  std::vector<std::string> ComboItems() override;
  void InsertComboItemAtTop(const std::string& text) override;
  WindowBounds Bounds() override;
  void SetBounds(const WindowBounds& bounds) override;
  bool OnTopButtonDown() override;
  void PlaceTopMost(bool topMost, const WindowBounds& bounds) override;
  void ShowMessage(const std::string& text) override;
  void ShowException(const std::string& text) override;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ComboEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR data);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateComponents();
  void CreateComponent(int row);
  void ApplyTabOrder();
  void AddToolBarItem(int row);
  HBITMAP DrawOnTopImage();
  void Fire(FormEvent event);
  void OnCommand(int id, int code);
  LRESULT OnNotify(NMHDR* header);
  void OnSize();
  void CompleteComboText();
  const Component* RowOfId(int id) const;

  HINSTANCE instance_;
  std::wstring applicationTitle_;
  HWND windows_[kRowCount] = {};
  HFONT font_ = nullptr;
  HIMAGELIST images_ = nullptr;
  HWND comboEdit_ = nullptr;
  HWND toolTip_ = nullptr;
  OleContainerWin32 oleContainer_;
  std::unique_ptr<FormMainCore> core_;
};

}  // namespace tarvelax
