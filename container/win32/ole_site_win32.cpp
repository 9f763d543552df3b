#include "ole_site_win32.h"

#include "ole_container_win32.h"

namespace tarvelax {

// ---- OleFrame ----

OleFrame::OleFrame(OleContainerWin32* owner, HWND frameWindow)
    : owner_(owner), frameWindow_(frameWindow) {}

STDMETHODIMP OleFrame::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
      riid == IID_IOleInPlaceFrame) {
    *object = static_cast<IOleInPlaceFrame*>(this);
  } else if (riid == IID_IParseDisplayName || riid == IID_IOleContainer) {
    *object = static_cast<IOleContainer*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) OleFrame::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) OleFrame::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP OleFrame::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = frameWindow_;
  return frameWindow_ ? S_OK : E_FAIL;
}

STDMETHODIMP OleFrame::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
// The frame has no tool space to give: the object keeps to its rectangle.
STDMETHODIMP OleFrame::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP OleFrame::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP OleFrame::SetBorderSpace(LPCBORDERWIDTHS widths) {
  return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
}
STDMETHODIMP OleFrame::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }
STDMETHODIMP OleFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) {
  if (widths) {
    for (LONG& width : widths->width) width = 0;
  }
  return S_OK;
}
STDMETHODIMP OleFrame::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
STDMETHODIMP OleFrame::RemoveMenus(HMENU) { return S_OK; }
STDMETHODIMP OleFrame::SetStatusText(LPCOLESTR) { return S_OK; }
STDMETHODIMP OleFrame::EnableModeless(BOOL) { return S_OK; }
STDMETHODIMP OleFrame::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

STDMETHODIMP OleFrame::ParseDisplayName(IBindCtx*, LPOLESTR, ULONG* eaten, IMoniker** moniker) {
  if (eaten) *eaten = 0;
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP OleFrame::EnumObjects(DWORD, IEnumUnknown** objects) {
  if (objects) *objects = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP OleFrame::LockContainer(BOOL) { return S_OK; }

// ---- OleSite ----

OleSite::OleSite(OleContainerWin32* owner, OleFrame* frame) : owner_(owner), frame_(frame) {
  frame_->AddRef();
}

OleSite::~OleSite() { frame_->Release(); }

STDMETHODIMP OleSite::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (riid == IID_IAdviseSink) {
    *object = static_cast<IAdviseSink*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) OleSite::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) OleSite::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP OleSite::SaveObject() { return owner_ ? owner_->SaveObjectToStorage() : E_FAIL; }

STDMETHODIMP OleSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP OleSite::GetContainer(IOleContainer** container) {
  if (!container) return E_POINTER;
  *container = static_cast<IOleContainer*>(frame_);
  frame_->AddRef();
  return S_OK;
}

STDMETHODIMP OleSite::ShowObject() { return S_OK; }
STDMETHODIMP OleSite::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP OleSite::RequestNewObjectLayout() { return E_NOTIMPL; }

STDMETHODIMP OleSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = owner_ ? owner_->Window() : nullptr;
  return *window ? S_OK : E_FAIL;
}

STDMETHODIMP OleSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
STDMETHODIMP OleSite::CanInPlaceActivate() { return owner_ ? S_OK : S_FALSE; }

STDMETHODIMP OleSite::OnInPlaceActivate() {
  if (owner_) owner_->OnInPlaceActivate();
  return S_OK;
}

STDMETHODIMP OleSite::OnUIActivate() { return S_OK; }

STDMETHODIMP OleSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                       LPRECT position, LPRECT clip,
                                       LPOLEINPLACEFRAMEINFO frameInfo) {
  if (!frame || !document || !position || !clip || !frameInfo) return E_POINTER;
  if (!owner_) return E_FAIL;
  *frame = frame_;
  frame_->AddRef();
  *document = nullptr;
  *position = owner_->ObjectRect();
  *clip = *position;
  HWND frameWindow = nullptr;
  frame_->GetWindow(&frameWindow);
  frameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
  frameInfo->fMDIApp = FALSE;
  frameInfo->hwndFrame = frameWindow;
  frameInfo->haccel = nullptr;
  frameInfo->cAccelEntries = 0;
  return S_OK;
}

STDMETHODIMP OleSite::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP OleSite::OnUIDeactivate(BOOL) { return S_OK; }

STDMETHODIMP OleSite::OnInPlaceDeactivate() {
  if (owner_) owner_->OnInPlaceDeactivate();
  return S_OK;
}

STDMETHODIMP OleSite::DiscardUndoState() { return E_NOTIMPL; }
STDMETHODIMP OleSite::DeactivateAndUndo() { return E_NOTIMPL; }

STDMETHODIMP OleSite::OnPosRectChange(LPCRECT position) {
  if (owner_ && position) owner_->OnPosRectChange(*position);
  return S_OK;
}

STDMETHODIMP_(void) OleSite::OnDataChange(FORMATETC*, STGMEDIUM*) {}

STDMETHODIMP_(void) OleSite::OnViewChange(DWORD, LONG) {
  if (owner_) owner_->OnViewChange();
}

STDMETHODIMP_(void) OleSite::OnRename(IMoniker*) {}
STDMETHODIMP_(void) OleSite::OnSave() {}
STDMETHODIMP_(void) OleSite::OnClose() {
  if (owner_) owner_->OnViewChange();
}

}  // namespace tarvelax
