// The COM side of OleContainerTarvelAX: the site the embedded object talks
// to (client site, in-place site, advise sink) and the frame it is
// activated in (in-place frame, container). Both forward to the container
// window that owns them; Detach() cuts them off when it goes away.
#pragma once

#include <ole2.h>

#include <atomic>

namespace tarvelax {

class OleContainerWin32;

class OleFrame final : public IOleInPlaceFrame, public IOleContainer {
public:
  OleFrame(OleContainerWin32* owner, HWND frameWindow);
  void Detach() { owner_ = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IOleWindow
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
  // IOleInPlaceUIWindow
  STDMETHODIMP GetBorder(LPRECT border) override;
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) override;
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR name) override;
  // IOleInPlaceFrame
  STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
  STDMETHODIMP SetMenu(HMENU shared, HOLEMENU ole, HWND active) override;
  STDMETHODIMP RemoveMenus(HMENU shared) override;
  STDMETHODIMP SetStatusText(LPCOLESTR text) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;
  STDMETHODIMP TranslateAccelerator(LPMSG msg, WORD id) override;
  // IParseDisplayName, IOleContainer
  STDMETHODIMP ParseDisplayName(IBindCtx* context, LPOLESTR name, ULONG* eaten,
                                IMoniker** moniker) override;
  STDMETHODIMP EnumObjects(DWORD flags, IEnumUnknown** objects) override;
  STDMETHODIMP LockContainer(BOOL lock) override;

private:
  ~OleFrame() = default;
  std::atomic<ULONG> refs_{1};
  OleContainerWin32* owner_;
  HWND frameWindow_;
};

class OleSite final : public IOleClientSite, public IOleInPlaceSite, public IAdviseSink {
public:
  OleSite(OleContainerWin32* owner, OleFrame* frame);
  void Detach() { owner_ = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IOleClientSite
  STDMETHODIMP SaveObject() override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override;
  STDMETHODIMP OnShowWindow(BOOL show) override;
  STDMETHODIMP RequestNewObjectLayout() override;
  // IOleWindow
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override;
  STDMETHODIMP OnInPlaceActivate() override;
  STDMETHODIMP OnUIActivate() override;
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                LPRECT position, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO frameInfo) override;
  STDMETHODIMP Scroll(SIZE extent) override;
  STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
  STDMETHODIMP OnInPlaceDeactivate() override;
  STDMETHODIMP DiscardUndoState() override;
  STDMETHODIMP DeactivateAndUndo() override;
  STDMETHODIMP OnPosRectChange(LPCRECT position) override;
  // IAdviseSink
  STDMETHODIMP_(void) OnDataChange(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP_(void) OnViewChange(DWORD aspect, LONG index) override;
  STDMETHODIMP_(void) OnRename(IMoniker* moniker) override;
  STDMETHODIMP_(void) OnSave() override;
  STDMETHODIMP_(void) OnClose() override;

private:
  ~OleSite();
  std::atomic<ULONG> refs_{1};
  OleContainerWin32* owner_;
  OleFrame* frame_;
};

}  // namespace tarvelax
