#include "ole_container_win32.h"

#include <new>

#include "container_error.h"
#include "form_layout_win32.h"
#include "ole_error_win32.h"
#include "ole_site_win32.h"
#include "text_encoding_win32.h"

using Microsoft::WRL::ComPtr;

namespace tarvelax {
namespace {

void ThrowIfFailed(HRESULT result) {
  if (FAILED(result)) throw ContainerError(OleErrorText(result));
}

}  // namespace

bool OleContainerWin32::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kOleContainerClass;
  return RegisterClassExW(&wc) != 0;
}

OleContainerWin32::OleContainerWin32(std::wstring applicationTitle, std::wstring hostName)
    : applicationTitle_(std::move(applicationTitle)), hostName_(std::move(hostName)) {}

OleContainerWin32::~OleContainerWin32() {
  DestroyObject();
  if (site_) {
    site_->Detach();
    site_->Release();
  }
  if (frame_) {
    frame_->Detach();
    frame_->Release();
  }
}

LRESULT CALLBACK OleContainerWin32::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  auto* self = reinterpret_cast<OleContainerWin32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    self = static_cast<OleContainerWin32*>(create->lpCreateParams);
    if (self) {
      self->window_ = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else if (message == WM_NCDESTROY && self) {
    self->DestroyObject();
    self->window_ = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT OleContainerWin32::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

RECT OleContainerWin32::ObjectRect() const {
  RECT rect = {};
  if (window_) GetClientRect(window_, &rect);
  return rect;
}

void OleContainerWin32::OnSize() {
  if (inPlaceObject_) {
    const RECT rect = ObjectRect();
    inPlaceObject_->SetObjectRects(&rect, &rect);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

void OleContainerWin32::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  // An object that is not active in place is drawn by its view.
  if (object_ && !inPlaceObject_) {
    const RECT rect = ObjectRect();
    OleDraw(object_.Get(), DVASPECT_CONTENT, dc, &rect);
  }
  EndPaint(window_, &paint);
}

void OleContainerWin32::SetState(ObjectState state, const std::wstring& progId) {
  if (!window_) return;
  if (auto old = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropW(window_, kObjectNameProperty)))) {
    GlobalDeleteAtom(old);
  }
  if (state == ObjectState::Empty) {
    RemovePropW(window_, kObjectStateProperty);
  } else {
    SetPropW(window_, kObjectStateProperty,
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(state)));
    if (const ATOM atom = GlobalAddAtomW(progId.c_str())) {
      SetPropW(window_, kObjectNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
    }
  }
}

void OleContainerWin32::DeactivateInPlace() {
  if (inPlaceObject_) {
    // Keep a reference: the object's OnInPlaceDeactivate clears the member.
    ComPtr<IOleInPlaceObject> active = inPlaceObject_;
    active->InPlaceDeactivate();
    inPlaceObject_.Reset();
  }
}

void OleContainerWin32::CloseObject() {
  if (!object_) return;
  DeactivateInPlace();
  object_->Close(OLECLOSE_SAVEIFDIRTY);
  SetState(ObjectState::Closed, progId_);
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void OleContainerWin32::CreateObject(const std::string& progId) {
  const std::wstring name = Utf8ToWide(progId);
  CLSID clsid;
  ThrowIfFailed(CLSIDFromProgID(name.c_str(), &clsid));
  DestroyObject();

  if (!frame_) {
    frame_ = new (std::nothrow) OleFrame(this, frameWindow_);
    if (!frame_) throw std::bad_alloc();
  }
  if (!site_) {
    site_ = new (std::nothrow) OleSite(this, frame_);
    if (!site_) throw std::bad_alloc();
  }
  ComPtr<ILockBytes> lockBytes;
  ThrowIfFailed(CreateILockBytesOnHGlobal(nullptr, TRUE, &lockBytes));
  ComPtr<IStorage> storage;
  ThrowIfFailed(StgCreateDocfileOnILockBytes(
      lockBytes.Get(), STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, &storage));
  ComPtr<IOleObject> object;
  ThrowIfFailed(OleCreate(clsid, IID_IOleObject, OLERENDER_DRAW, nullptr,
                          static_cast<IOleClientSite*>(site_), storage.Get(),
                          reinterpret_cast<void**>(object.GetAddressOf())));
  object->SetHostNames(applicationTitle_.c_str(), hostName_.c_str());
  OleSetContainedObject(object.Get(), TRUE);
  DWORD connection = 0;
  if (FAILED(object->Advise(static_cast<IAdviseSink*>(site_), &connection))) connection = 0;
  ComPtr<IViewObject> view;
  if (SUCCEEDED(object.As(&view))) {
    view->SetAdvise(DVASPECT_CONTENT, 0, static_cast<IAdviseSink*>(site_));
  }
  lockBytes_ = std::move(lockBytes);
  storage_ = std::move(storage);
  object_ = std::move(object);
  adviseConnection_ = connection;
  progId_ = name;
  SetState(ObjectState::Created, progId_);
}

void OleContainerWin32::ShowObject() {
  if (!window_) return;
  EnableWindow(window_, TRUE);
  ShowWindow(window_, SW_SHOW);
  if (!object_) return;
  RECT rect = ObjectRect();
  ThrowIfFailed(object_->DoVerb(OLEIVERB_SHOW, nullptr, static_cast<IOleClientSite*>(site_), 0,
                                window_, &rect));
  SetState(ObjectState::Shown, progId_);
  InvalidateRect(window_, nullptr, TRUE);
}

void OleContainerWin32::DestroyObject() {
  if (!object_) return;
  DeactivateInPlace();
  object_->Close(OLECLOSE_NOSAVE);
  if (adviseConnection_) object_->Unadvise(adviseConnection_);
  ComPtr<IViewObject> view;
  if (SUCCEEDED(object_.As(&view))) view->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
  object_->SetClientSite(nullptr);
  object_.Reset();
  storage_.Reset();
  lockBytes_.Reset();
  adviseConnection_ = 0;
  progId_.clear();
  SetState(ObjectState::Empty, L"");
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

HRESULT OleContainerWin32::SaveObjectToStorage() {
  if (!object_ || !storage_) return E_FAIL;
  ComPtr<IPersistStorage> persist;
  HRESULT result = object_.As(&persist);
  if (FAILED(result)) return result;
  result = OleSave(persist.Get(), storage_.Get(), TRUE);
  persist->SaveCompleted(nullptr);
  if (SUCCEEDED(result)) storage_->Commit(STGC_DEFAULT);
  return result;
}

void OleContainerWin32::OnInPlaceActivate() {
  if (object_) object_.As(&inPlaceObject_);
}

void OleContainerWin32::OnInPlaceDeactivate() { inPlaceObject_.Reset(); }

void OleContainerWin32::OnPosRectChange(const RECT& rect) {
  // The object asks for a rectangle of its own; the container keeps it to
  // the client area, which it fills.
  (void)rect;
  if (inPlaceObject_) {
    const RECT client = ObjectRect();
    inPlaceObject_->SetObjectRects(&client, &client);
  }
}

void OleContainerWin32::OnViewChange() {
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace tarvelax
