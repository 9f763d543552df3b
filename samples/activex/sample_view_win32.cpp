// The picture of the sample control outside its window: IViewObject2 for
// containers that draw an inactive object, IDataObject for those that cache
// a metafile of it.
#include "sample_control_win32.h"

#include <algorithm>

#include "sample_ids_win32.h"

namespace tarvelax::sample {
namespace {

// HIMETRIC to pixels of a 96-dpi reference device, at least one pixel.
int ToPixels(LONG himetric) { return static_cast<int>(std::max<LONG>(1, MulDiv(himetric, 96, 2540))); }

bool IsContentAspect(const FORMATETC& format) {
  return format.dwAspect == DVASPECT_CONTENT && (format.lindex == -1 || format.lindex == 0);
}

}  // namespace

// ---- IViewObject2 ---------------------------------------------------------

STDMETHODIMP SampleControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                                 LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                 ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!dc || !bounds) return E_INVALIDARG;
  const RECT rect = {bounds->left, bounds->top, bounds->right, bounds->bottom};
  PaintSampleFace(dc, rect, Face());
  return S_OK;
}

STDMETHODIMP SampleControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                        LOGPALETTE** colors) {
  if (!colors) return E_POINTER;
  *colors = nullptr;
  return S_FALSE;
}

STDMETHODIMP SampleControl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
  if (freeze) *freeze = 0;
  return E_NOTIMPL;
}

STDMETHODIMP SampleControl::Unfreeze(DWORD) { return OLE_E_NOCONNECTION; }

STDMETHODIMP SampleControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  view_sink_ = sink;
  view_aspects_ = aspects;
  view_flags_ = flags;
  if (view_sink_ && (flags & ADVF_PRIMEFIRST)) {
    view_sink_->OnViewChange(DVASPECT_CONTENT, -1);
    if (flags & ADVF_ONLYONCE) view_sink_.Reset();
  }
  return S_OK;
}

STDMETHODIMP SampleControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects) *aspects = view_aspects_;
  if (flags) *flags = view_flags_;
  if (sink) {
    *sink = view_sink_.Get();
    if (*sink) (*sink)->AddRef();
  }
  return S_OK;
}

STDMETHODIMP SampleControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

// ---- IDataObject ----------------------------------------------------------

STDMETHODIMP SampleControl::QueryGetData(FORMATETC* format) {
  if (!format) return E_POINTER;
  if (!IsContentAspect(*format)) return DV_E_DVASPECT;
  if (format->cfFormat == CF_ENHMETAFILE) {
    return (format->tymed & TYMED_ENHMF) ? S_OK : DV_E_TYMED;
  }
  if (format->cfFormat == CF_METAFILEPICT) {
    return (format->tymed & TYMED_MFPICT) ? S_OK : DV_E_TYMED;
  }
  return DV_E_FORMATETC;
}

STDMETHODIMP SampleControl::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_POINTER;
  const HRESULT query = QueryGetData(format);
  if (query != S_OK) return query;

  // Both formats come from one enhanced metafile drawn at the extent; the
  // old-style picture is converted from it.
  const int width = ToPixels(state_.extent.cx);
  const int height = ToPixels(state_.extent.cy);
  const RECT frame = {0, 0, state_.extent.cx, state_.extent.cy};
  HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, &frame, L"TarvelAX.Sample\0\0");
  if (!recorder) return E_OUTOFMEMORY;
  PaintSampleFace(recorder, RECT{0, 0, width, height}, Face());
  HENHMETAFILE picture = CloseEnhMetaFile(recorder);
  if (!picture) return E_OUTOFMEMORY;

  if (format->cfFormat == CF_ENHMETAFILE) {
    medium->tymed = TYMED_ENHMF;
    medium->hEnhMetaFile = picture;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }

  HDC screen = GetDC(nullptr);
  const UINT size = GetWinMetaFileBits(picture, 0, nullptr, MM_ANISOTROPIC, screen);
  HMETAFILE old_style = nullptr;
  if (size) {
    auto* bits = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, size));
    if (bits) {
      if (GetWinMetaFileBits(picture, size, bits, MM_ANISOTROPIC, screen) == size) {
        old_style = SetMetaFileBitsEx(size, bits);
      }
      HeapFree(GetProcessHeap(), 0, bits);
    }
  }
  if (screen) ReleaseDC(nullptr, screen);
  DeleteEnhMetaFile(picture);
  if (!old_style) return E_OUTOFMEMORY;

  HGLOBAL holder = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, sizeof(METAFILEPICT));
  auto* pict = holder ? static_cast<METAFILEPICT*>(GlobalLock(holder)) : nullptr;
  if (!pict) {
    if (holder) GlobalFree(holder);
    DeleteMetaFile(old_style);
    return E_OUTOFMEMORY;
  }
  pict->mm = MM_ANISOTROPIC;
  pict->xExt = state_.extent.cx;
  pict->yExt = state_.extent.cy;
  pict->hMF = old_style;
  GlobalUnlock(holder);
  medium->tymed = TYMED_MFPICT;
  medium->hMetaFilePict = holder;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

STDMETHODIMP SampleControl::GetDataHere(FORMATETC*, STGMEDIUM*) { return DATA_E_FORMATETC; }

STDMETHODIMP SampleControl::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) {
  if (!in || !out) return E_POINTER;
  *out = *in;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP SampleControl::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP SampleControl::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (!formats) return E_POINTER;
  *formats = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  return OleRegEnumFormatEtc(kSampleClsid, direction, formats);
}

STDMETHODIMP SampleControl::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                    DWORD* connection) {
  if (!format || !sink || !connection) return E_POINTER;
  if (!data_advise_holder_) {
    const HRESULT hr = CreateDataAdviseHolder(&data_advise_holder_);
    if (FAILED(hr)) return hr;
  }
  return data_advise_holder_->Advise(static_cast<IDataObject*>(this), format, flags, sink,
                                     connection);
}

STDMETHODIMP SampleControl::DUnadvise(DWORD connection) {
  if (!data_advise_holder_) return OLE_E_NOCONNECTION;
  return data_advise_holder_->Unadvise(connection);
}

STDMETHODIMP SampleControl::EnumDAdvise(IEnumSTATDATA** advises) {
  if (!advises) return E_POINTER;
  *advises = nullptr;
  if (!data_advise_holder_) return OLE_E_ADVISENOTSUPPORTED;
  return data_advise_holder_->EnumAdvise(advises);
}

}  // namespace tarvelax::sample
