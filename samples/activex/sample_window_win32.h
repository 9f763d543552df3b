// The sample control's own child window: created inside the container's
// window while the control is in place active, painted from the control's
// state, counting left-button clicks.
#pragma once

#include <windows.h>

namespace tarvelax::sample {

// What the window asks of the control that owns it.
class SampleWindowOwner {
 public:
  virtual void PaintWindow(HDC dc, const RECT& client) = 0;
  virtual void OnWindowClick() = 0;
  // The window is being destroyed (by the control or by its parent).
  virtual void OnWindowDestroyed() = 0;

 protected:
  ~SampleWindowOwner() = default;
};

// Creates the child window of parent at position (parent's client
// coordinates), visible. Returns null on failure, with GetLastError set.
HWND CreateSampleWindow(SampleWindowOwner* owner, HWND parent, const RECT& position);

// Unregisters the window class; called when the DLL is unloaded.
void UnregisterSampleWindowClass();

}  // namespace tarvelax::sample
