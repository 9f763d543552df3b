#include "sample_control_win32.h"

#include <new>

#include "sample_ids_win32.h"

using Microsoft::WRL::ComPtr;

namespace tarvelax::sample {
namespace {

LPOLESTR CopyToTaskMemory(const wchar_t* text) {
  const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
  auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
  if (copy) memcpy(copy, text, bytes);
  return copy;
}

}  // namespace

HRESULT SampleControl::Create(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  auto* control = new (std::nothrow) SampleControl();
  if (!control) return E_OUTOFMEMORY;
  const HRESULT hr = control->QueryInterface(iid, object);
  control->Release();
  return hr;
}

SampleControl::~SampleControl() {
  // A container that releases without Close still must not leave a window
  // that points at freed memory.
  if (window_) DestroyWindow(window_);
}

STDMETHODIMP SampleControl::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleObject) {
    *object = static_cast<IOleObject*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
    *object = static_cast<IOleInPlaceObject*>(this);
  } else if (iid == IID_IOleInPlaceActiveObject) {
    *object = static_cast<IOleInPlaceActiveObject*>(this);
  } else if (iid == IID_IPersist || iid == IID_IPersistStorage) {
    *object = static_cast<IPersistStorage*>(this);
  } else if (iid == IID_IPersistStreamInit) {
    *object = static_cast<IPersistStreamInit*>(this);
  } else if (iid == IID_IViewObject || iid == IID_IViewObject2) {
    *object = static_cast<IViewObject2*>(this);
  } else if (iid == IID_IDataObject) {
    *object = static_cast<IDataObject*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

// ---- IOleObject -----------------------------------------------------------

STDMETHODIMP SampleControl::SetClientSite(IOleClientSite* site) {
  client_site_ = site;
  return S_OK;
}

STDMETHODIMP SampleControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = client_site_.Get();
  if (*site) (*site)->AddRef();
  return S_OK;
}

STDMETHODIMP SampleControl::SetHostNames(LPCOLESTR application, LPCOLESTR container) {
  try {
    application_name_ = application ? application : L"";
    container_name_ = container ? container : L"";
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  NotifyChanged();
  return S_OK;
}

STDMETHODIMP SampleControl::Close(DWORD save_option) {
  const bool save = save_option == OLECLOSE_SAVEIFDIRTY || save_option == OLECLOSE_PROMPTSAVE;
  if (save && dirty_ && client_site_) {
    // The site saves us into its storage (OleSave, then SaveCompleted).
    const HRESULT hr = client_site_->SaveObject();
    if (FAILED(hr)) return hr;
  }
  InPlaceDeactivate();
  if (ole_advise_holder_) ole_advise_holder_->SendOnClose();
  return S_OK;
}

STDMETHODIMP SampleControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP SampleControl::GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) {
  if (!moniker) return E_POINTER;
  *moniker = nullptr;
  if (!client_site_) return E_UNEXPECTED;
  return client_site_->GetMoniker(assign, which, moniker);
}

STDMETHODIMP SampleControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP SampleControl::GetClipboardData(DWORD, IDataObject** data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP SampleControl::DoVerb(LONG verb, LPMSG, IOleClientSite* active_site, LONG,
                                   HWND parent, LPCRECT position) {
  IOleClientSite* site = active_site ? active_site : client_site_.Get();
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_OPEN:  // No separate open window: shown in place.
    case OLEIVERB_UIACTIVATE:
      return ActivateInPlace(site, parent, position, true);
    case OLEIVERB_INPLACEACTIVATE:
      return ActivateInPlace(site, parent, position, false);
    case OLEIVERB_HIDE:
      UIDeactivate();
      if (window_) ShowWindow(window_, SW_HIDE);
      return S_OK;
    case OLEIVERB_DISCARDUNDOSTATE:
      return S_OK;
    default:
      if (verb > 0) {
        // Unknown positive verbs act as the primary verb.
        const HRESULT hr = ActivateInPlace(site, parent, position, true);
        return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
      }
      return E_NOTIMPL;
  }
}

STDMETHODIMP SampleControl::EnumVerbs(IEnumOLEVERB** verbs) {
  if (!verbs) return E_POINTER;
  return OleRegEnumVerbs(kSampleClsid, verbs);
}

STDMETHODIMP SampleControl::Update() { return S_OK; }

STDMETHODIMP SampleControl::IsUpToDate() { return S_OK; }

STDMETHODIMP SampleControl::GetUserClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = kSampleClsid;
  return S_OK;
}

STDMETHODIMP SampleControl::GetUserType(DWORD form, LPOLESTR* type) {
  if (!type) return E_POINTER;
  const wchar_t* text = form == USERCLASSTYPE_SHORT  ? kShortUserType
                        : form == USERCLASSTYPE_APPNAME ? kAppUserType
                                                        : kFullUserType;
  *type = CopyToTaskMemory(text);
  return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP SampleControl::SetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (size->cx <= 0 || size->cy <= 0) return E_INVALIDARG;
  if (size->cx != state_.extent.cx || size->cy != state_.extent.cy) {
    state_.extent = *size;
    dirty_ = true;
  }
  return S_OK;
}

STDMETHODIMP SampleControl::GetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = state_.extent;
  return S_OK;
}

STDMETHODIMP SampleControl::Advise(IAdviseSink* sink, DWORD* connection) {
  if (!sink || !connection) return E_POINTER;
  if (!ole_advise_holder_) {
    const HRESULT hr = CreateOleAdviseHolder(&ole_advise_holder_);
    if (FAILED(hr)) return hr;
  }
  return ole_advise_holder_->Advise(sink, connection);
}

STDMETHODIMP SampleControl::Unadvise(DWORD connection) {
  if (!ole_advise_holder_) return OLE_E_NOCONNECTION;
  return ole_advise_holder_->Unadvise(connection);
}

STDMETHODIMP SampleControl::EnumAdvise(IEnumSTATDATA** advises) {
  if (!advises) return E_POINTER;
  *advises = nullptr;
  if (!ole_advise_holder_) return E_FAIL;
  return ole_advise_holder_->EnumAdvise(advises);
}

STDMETHODIMP SampleControl::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = kMiscStatus;
  return S_OK;
}

STDMETHODIMP SampleControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// ---- In-place activation --------------------------------------------------

HRESULT SampleControl::ActivateInPlace(IOleClientSite* site, HWND parent, LPCRECT position,
                                       bool ui_activate) {
  // The container destroyed its window, and ours with it, without telling
  // us: start over in whatever window the site has now.
  if (in_place_active_ && !window_) InPlaceDeactivate();
  if (!in_place_active_) {
    if (!site) return E_UNEXPECTED;
    ComPtr<IOleInPlaceSite> in_place_site;
    HRESULT hr = site->QueryInterface(IID_PPV_ARGS(&in_place_site));
    if (FAILED(hr)) return hr;
    if (in_place_site->CanInPlaceActivate() != S_OK) return OLEOBJ_S_CANNOT_DOVERB_NOW;
    hr = in_place_site->OnInPlaceActivate();
    if (FAILED(hr)) return hr;
    in_place_site_ = in_place_site;
    in_place_active_ = true;

    HWND site_window = nullptr;
    hr = in_place_site_->GetWindow(&site_window);
    if (FAILED(hr) || !site_window) site_window = parent;
    OLEINPLACEFRAMEINFO frame_info = {};
    frame_info.cb = sizeof frame_info;
    RECT site_position = {};
    RECT site_clip = {};
    frame_.Reset();
    ui_window_.Reset();
    hr = in_place_site_->GetWindowContext(&frame_, &ui_window_, &site_position, &site_clip,
                                          &frame_info);
    if (SUCCEEDED(hr)) {
      position_ = site_position;
      clip_ = site_clip;
    } else if (position) {
      position_ = *position;
      clip_ = *position;
    } else {
      InPlaceDeactivate();
      return hr;
    }
    if (!site_window) {
      InPlaceDeactivate();
      return E_UNEXPECTED;
    }
    window_ = CreateSampleWindow(this, site_window, position_);
    if (!window_) {
      const HRESULT create_error = HRESULT_FROM_WIN32(GetLastError());
      InPlaceDeactivate();
      return FAILED(create_error) ? create_error : E_FAIL;
    }
    ApplyClip();
    UpdateWindowText();
    if (client_site_) client_site_->ShowObject();
  } else if (window_) {
    ShowWindow(window_, SW_SHOW);
  }
  return ui_activate ? ActivateUi() : S_OK;
}

HRESULT SampleControl::ActivateUi() {
  if (ui_active_) {
    if (window_ && GetFocus() != window_) SetFocus(window_);
    return S_OK;
  }
  if (!in_place_site_) return E_UNEXPECTED;
  ui_active_ = true;
  in_place_site_->OnUIActivate();
  if (window_) SetFocus(window_);
  // The control has no menus or tools: it shares the frame as it is.
  if (frame_) {
    frame_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), kShortUserType);
    frame_->SetBorderSpace(nullptr);
  }
  if (ui_window_) {
    ui_window_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), kShortUserType);
    ui_window_->SetBorderSpace(nullptr);
  }
  NotifyChanged();
  return S_OK;
}

STDMETHODIMP SampleControl::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP SampleControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP SampleControl::InPlaceDeactivate() {
  if (!in_place_active_) return S_OK;
  UIDeactivate();
  in_place_active_ = false;
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
  ComPtr<IOleInPlaceSite> site = std::move(in_place_site_);
  frame_.Reset();
  ui_window_.Reset();
  if (site) site->OnInPlaceDeactivate();
  // The container draws the inactive picture from now on.
  NotifyChanged();
  return S_OK;
}

STDMETHODIMP SampleControl::UIDeactivate() {
  if (!ui_active_) return S_OK;
  ui_active_ = false;
  if (ui_window_) ui_window_->SetActiveObject(nullptr, nullptr);
  if (frame_) frame_->SetActiveObject(nullptr, nullptr);
  if (in_place_site_) in_place_site_->OnUIDeactivate(FALSE);
  NotifyChanged();
  return S_OK;
}

STDMETHODIMP SampleControl::SetObjectRects(LPCRECT position, LPCRECT clip) {
  if (!position) return E_POINTER;
  position_ = *position;
  clip_ = clip ? *clip : *position;
  if (window_) {
    MoveWindow(window_, position_.left, position_.top, position_.right - position_.left,
               position_.bottom - position_.top, TRUE);
    ApplyClip();
  }
  return S_OK;
}

// Shows only the part of the window inside the site's clip rectangle.
void SampleControl::ApplyClip() {
  if (!window_) return;
  RECT visible;
  if (!IntersectRect(&visible, &position_, &clip_)) visible = {};
  if (EqualRect(&visible, &position_)) {
    SetWindowRgn(window_, nullptr, TRUE);
    return;
  }
  OffsetRect(&visible, -position_.left, -position_.top);
  HRGN region = CreateRectRgnIndirect(&visible);
  if (region && !SetWindowRgn(window_, region, TRUE)) DeleteObject(region);
}

STDMETHODIMP SampleControl::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }

// ---- IOleInPlaceActiveObject ----------------------------------------------

STDMETHODIMP SampleControl::TranslateAccelerator(LPMSG) { return S_FALSE; }

STDMETHODIMP SampleControl::OnFrameWindowActivate(BOOL) { return S_OK; }

STDMETHODIMP SampleControl::OnDocWindowActivate(BOOL) { return S_OK; }

STDMETHODIMP SampleControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }

STDMETHODIMP SampleControl::EnableModeless(BOOL) { return S_OK; }

// ---- The window -----------------------------------------------------------

SampleFace SampleControl::Face() const {
  SampleFace face;
  face.application = application_name_.c_str();
  face.container = container_name_.c_str();
  face.clicks = state_.clicks;
  face.active = ui_active_;
  return face;
}

void SampleControl::PaintWindow(HDC dc, const RECT& client) {
  PaintSampleFace(dc, client, Face());
}

void SampleControl::OnWindowClick() {
  // A click on an inactive-looking control makes it the active one first,
  // as a person expects from any control.
  AddRef();
  if (!ui_active_ && in_place_site_) ActivateUi();
  ++state_.clicks;
  dirty_ = true;
  NotifyChanged();
  Release();
}

// The window's text repeats what it shows, so a container's tests (or a
// screen reader) can read it without looking at pixels.
void SampleControl::UpdateWindowText() {
  try {
    const std::wstring text = std::wstring(kWindowTitle) + L" | Application: " +
                              application_name_ + L" | Container: " + container_name_ +
                              L" | Clicks: " + std::to_wstring(state_.clicks);
    SetWindowTextW(window_, text.c_str());
  } catch (...) {
    SetWindowTextW(window_, kWindowTitle);
  }
}

void SampleControl::OnWindowDestroyed() {
  // The parent went away under us; the site is told in InPlaceDeactivate.
  window_ = nullptr;
}

void SampleControl::NotifyChanged() {
  if (window_) {
    // Active in its own window, the control repaints itself; a container
    // told of a view change would repaint its own window over ours.
    UpdateWindowText();
    InvalidateRect(window_, nullptr, FALSE);
  } else if (view_sink_ && (view_aspects_ & DVASPECT_CONTENT)) {
    view_sink_->OnViewChange(DVASPECT_CONTENT, -1);
    if (view_flags_ & ADVF_ONLYONCE) view_sink_.Reset();
  }
  if (data_advise_holder_) {
    data_advise_holder_->SendOnDataChange(static_cast<IDataObject*>(this), 0, 0);
  }
}

}  // namespace tarvelax::sample
