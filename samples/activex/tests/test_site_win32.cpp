#include "test_site_win32.h"

namespace tarvelax::sample::testing {

TestSite::TestSite(HWND host, const RECT& position, IStorage* storage)
    : host_(host), position_(position), storage_(storage) {}

STDMETHODIMP TestSite::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
    *object = static_cast<IOleInPlaceFrame*>(this);
  } else if (iid == IID_IAdviseSink) {
    *object = static_cast<IAdviseSink*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) TestSite::AddRef() { return ++references_; }

// The test owns the site on its stack; the count only shows leaks.
STDMETHODIMP_(ULONG) TestSite::Release() { return --references_; }

STDMETHODIMP TestSite::SaveObject() {
  ++save_object_calls;
  if (!object_ || !storage_) return E_FAIL;
  Microsoft::WRL::ComPtr<IPersistStorage> persist;
  HRESULT hr = object_->QueryInterface(IID_PPV_ARGS(&persist));
  if (FAILED(hr)) return hr;
  hr = OleSave(persist.Get(), storage_.Get(), TRUE);
  if (FAILED(hr)) return hr;
  hr = persist->SaveCompleted(nullptr);
  if (FAILED(hr)) return hr;
  return storage_->Commit(STGC_DEFAULT);
}

STDMETHODIMP TestSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP TestSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP TestSite::ShowObject() {
  ++show_object_calls;
  return S_OK;
}

STDMETHODIMP TestSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = host_;
  return S_OK;
}

STDMETHODIMP TestSite::OnInPlaceActivate() {
  ++in_place_activations;
  return S_OK;
}

STDMETHODIMP TestSite::OnUIActivate() {
  ++ui_activations;
  return S_OK;
}

STDMETHODIMP TestSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                        LPRECT position, LPRECT clip,
                                        LPOLEINPLACEFRAMEINFO frame_info) {
  if (!frame || !document || !position || !clip || !frame_info) return E_POINTER;
  *frame = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  *document = nullptr;  // The frame is the document window too.
  *position = position_;
  *clip = position_;
  frame_info->fMDIApp = FALSE;
  frame_info->hwndFrame = host_;
  frame_info->haccel = nullptr;
  frame_info->cAccelEntries = 0;
  return S_OK;
}

STDMETHODIMP TestSite::OnUIDeactivate(BOOL) {
  ++ui_deactivations;
  return S_OK;
}

STDMETHODIMP TestSite::OnInPlaceDeactivate() {
  ++in_place_deactivations;
  return S_OK;
}

STDMETHODIMP TestSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
  active_object = object;  // Compared only, never called.
  return S_OK;
}

}  // namespace tarvelax::sample::testing
