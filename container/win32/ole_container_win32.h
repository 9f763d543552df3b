// OleContainerTarvelAX: the child window that holds one embedded object in
// a storage in memory, activates it in place in its client area and keeps
// it sized to it. It is the ObjectHost of the main window's handlers.
//
// For tools that look at a running container from outside, the window
// carries two properties: "TarvelAX.ObjectState" (0 empty, 1 created,
// 2 shown, 3 closed) and "TarvelAX.ObjectName" (a global atom holding the
// ProgID of the object held, absent when empty; atoms ignore letter case,
// so the name may come back in the case another program first used).
#pragma once

#include <ole2.h>
#include <wrl/client.h>

#include <string>

#include "object_host.h"

namespace tarvelax {

class OleFrame;
class OleSite;

inline constexpr wchar_t kObjectStateProperty[] = L"TarvelAX.ObjectState";
inline constexpr wchar_t kObjectNameProperty[] = L"TarvelAX.ObjectName";

enum class ObjectState : int { Empty = 0, Created = 1, Shown = 2, Closed = 3 };

class OleContainerWin32 final : public ObjectHost {
public:
  // Registers the window class (kOleContainerClass); false on failure.
  static bool RegisterWindowClass(HINSTANCE instance);

  // hostName is the container's own name ("OleContainerTarvelAX"), handed
  // to each object with the application title.
  OleContainerWin32(std::wstring applicationTitle, std::wstring hostName);
  ~OleContainerWin32() override;
  OleContainerWin32(const OleContainerWin32&) = delete;
  OleContainerWin32& operator=(const OleContainerWin32&) = delete;

  // The window, once CreateWindowEx has bound it (pass this as its
  // creation parameter); frameWindow is the top-level window around it.
  HWND Window() const { return window_; }
  void SetFrameWindow(HWND frameWindow) { frameWindow_ = frameWindow; }

  // ObjectHost
  void CloseObject() override;
  void CreateObject(const std::string& progId) override;
  void ShowObject() override;
  void DestroyObject() override;

  // Called by the site.
  RECT ObjectRect() const;
  HRESULT SaveObjectToStorage();
  void OnInPlaceActivate();
  void OnInPlaceDeactivate();
  void OnPosRectChange(const RECT& rect);
  void OnViewChange();

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnSize();
  void OnPaint();
  void SetState(ObjectState state, const std::wstring& progId);
  void DeactivateInPlace();

  std::wstring applicationTitle_;
  std::wstring hostName_;
  HWND window_ = nullptr;
  HWND frameWindow_ = nullptr;
  OleFrame* frame_ = nullptr;
  OleSite* site_ = nullptr;
  Microsoft::WRL::ComPtr<ILockBytes> lockBytes_;
  Microsoft::WRL::ComPtr<IStorage> storage_;
  Microsoft::WRL::ComPtr<IOleObject> object_;
  Microsoft::WRL::ComPtr<IOleInPlaceObject> inPlaceObject_;
  DWORD adviseConnection_ = 0;
  std::wstring progId_;
};

}  // namespace tarvelax
