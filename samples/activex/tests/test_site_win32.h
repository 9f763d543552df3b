// A minimal embedding site for the sample control's tests: the client
// site, in-place site, in-place frame and advise sink a container gives an
// embedded object, with counters of what the object called.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

namespace tarvelax::sample::testing {

class TestSite final : public IOleClientSite,
                       public IOleInPlaceSite,
                       public IOleInPlaceFrame,
                       public IAdviseSink {
 public:
  // host: the window the object activates in; position: its rectangle in
  // host's client coordinates; storage: where SaveObject saves the object.
  TestSite(HWND host, const RECT& position, IStorage* storage);

  // The object the site holds (not referenced, the test owns it).
  void SetObject(IOleObject* object) { object_ = object; }
  void SetPosition(const RECT& position) { position_ = position; }
  void SetWindow(HWND host) { host_ = host; }
  ULONG References() const { return references_; }

  // What the object asked of its site.
  int in_place_activations = 0;
  int in_place_deactivations = 0;
  int ui_activations = 0;
  int ui_deactivations = 0;
  int show_object_calls = 0;
  int save_object_calls = 0;
  int view_changes = 0;
  int closes = 0;
  int saves = 0;
  IOleInPlaceActiveObject* active_object = nullptr;  // Last SetActiveObject.

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleClientSite
  STDMETHODIMP SaveObject() override;
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override;
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override;
  STDMETHODIMP OnUIActivate() override;
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                LPRECT position, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO frame_info) override;
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override;
  STDMETHODIMP OnInPlaceDeactivate() override;
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override;

  // IOleInPlaceFrame
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IAdviseSink
  STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override {}
  STDMETHODIMP_(void) OnViewChange(DWORD, LONG) override { ++view_changes; }
  STDMETHODIMP_(void) OnRename(IMoniker*) override {}
  STDMETHODIMP_(void) OnSave() override { ++saves; }
  STDMETHODIMP_(void) OnClose() override { ++closes; }

 private:
  ULONG references_ = 1;
  HWND host_;
  RECT position_;
  Microsoft::WRL::ComPtr<IStorage> storage_;
  IOleObject* object_ = nullptr;
};

}  // namespace tarvelax::sample::testing
