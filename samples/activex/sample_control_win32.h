// The sample ActiveX control: an embeddable object that activates in place
// in its container's window, shows its name, the host names it was given
// and a counter of mouse clicks, and keeps the counter in its storage.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <string>

#include "ref_counted_win32.h"
#include "sample_painter_win32.h"
#include "sample_state_win32.h"
#include "sample_window_win32.h"

namespace tarvelax::sample {

class SampleControl final
    : public RefCounted<IOleObject, IOleInPlaceObject, IOleInPlaceActiveObject, IPersistStorage,
                        IPersistStreamInit, IViewObject2, IDataObject>,
      private SampleWindowOwner {
 public:
  // Creates a control and returns the asked interface of it (the class
  // factory's work).
  static HRESULT Create(IUnknown* outer, REFIID iid, void** object);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR application, LPCOLESTR container) override;
  STDMETHODIMP Close(DWORD save_option) override;
  STDMETHODIMP SetMoniker(DWORD which, IMoniker* moniker) override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
  STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* active_site, LONG index,
                      HWND parent, LPCRECT position) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
  STDMETHODIMP Update() override;
  STDMETHODIMP IsUpToDate() override;
  STDMETHODIMP GetUserClassID(CLSID* clsid) override;
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP Unadvise(DWORD connection) override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advises) override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE* palette) override;

  // IOleWindow (through both in-place interfaces)
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;

  // IOleInPlaceObject
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override;
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override;

  // IOleInPlaceActiveObject
  STDMETHODIMP TranslateAccelerator(LPMSG message) override;
  STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
  STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
  STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;

  // IPersist (through both persistence interfaces)
  STDMETHODIMP GetClassID(CLSID* clsid) override;
  STDMETHODIMP IsDirty() override;

  // IPersistStorage
  STDMETHODIMP InitNew(IStorage* storage) override;
  STDMETHODIMP Load(IStorage* storage) override;
  STDMETHODIMP Save(IStorage* storage, BOOL same_as_load) override;
  STDMETHODIMP SaveCompleted(IStorage* storage) override;
  STDMETHODIMP HandsOffStorage() override;

  // IPersistStreamInit
  STDMETHODIMP Load(IStream* stream) override;
  STDMETHODIMP Save(IStream* stream, BOOL clear_dirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
  STDMETHODIMP InitNew() override;

  // IViewObject2
  STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspect_info, DVTARGETDEVICE* device,
                    HDC target, HDC dc, LPCRECTL bounds, LPCRECTL window_bounds,
                    BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR), ULONG_PTR cont_arg) override;
  STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspect_info, DVTARGETDEVICE* device,
                           HDC target, LOGPALETTE** colors) override;
  STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspect_info, DWORD* freeze) override;
  STDMETHODIMP Unfreeze(DWORD freeze) override;
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

  // IDataObject
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP QueryGetData(FORMATETC* format) override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                       DWORD* connection) override;
  STDMETHODIMP DUnadvise(DWORD connection) override;
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA** advises) override;

 private:
  SampleControl() = default;
  ~SampleControl() override;

  // SampleWindowOwner
  void PaintWindow(HDC dc, const RECT& client) override;
  void OnWindowClick() override;
  void OnWindowDestroyed() override;

  SampleFace Face() const;
  HRESULT ActivateInPlace(IOleClientSite* site, HWND parent, LPCRECT position, bool ui_activate);
  HRESULT ActivateUi();
  // The picture changed: repaint the window and tell the view and data
  // sinks.
  void NotifyChanged();
  void UpdateWindowText();
  void ApplyClip();

  enum class PersistState { kUninitialized, kNormal, kNoScribble, kHandsOff };

  Microsoft::WRL::ComPtr<IOleClientSite> client_site_;
  Microsoft::WRL::ComPtr<IOleAdviseHolder> ole_advise_holder_;
  Microsoft::WRL::ComPtr<IDataAdviseHolder> data_advise_holder_;
  Microsoft::WRL::ComPtr<IAdviseSink> view_sink_;
  DWORD view_aspects_ = 0;
  DWORD view_flags_ = 0;

  Microsoft::WRL::ComPtr<IStorage> storage_;
  PersistState persist_state_ = PersistState::kUninitialized;
  bool save_same_as_load_ = false;
  bool dirty_ = false;
  SampleState state_;

  std::wstring application_name_;
  std::wstring container_name_;

  Microsoft::WRL::ComPtr<IOleInPlaceSite> in_place_site_;
  Microsoft::WRL::ComPtr<IOleInPlaceFrame> frame_;
  Microsoft::WRL::ComPtr<IOleInPlaceUIWindow> ui_window_;
  bool in_place_active_ = false;
  bool ui_active_ = false;
  HWND window_ = nullptr;
  RECT position_ = {};
  RECT clip_ = {};
};

}  // namespace tarvelax::sample
