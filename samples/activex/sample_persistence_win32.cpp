// Persistence of the sample control: IPersistStorage (the embedding
// protocol: the click counter and the extent in the "Contents" stream of
// the object's storage) and IPersistStreamInit (the same record in a bare
// stream).
#include "sample_control_win32.h"
#include "sample_ids_win32.h"

using Microsoft::WRL::ComPtr;

namespace tarvelax::sample {

STDMETHODIMP SampleControl::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = kSampleClsid;
  return S_OK;
}

STDMETHODIMP SampleControl::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

// ---- IPersistStorage ------------------------------------------------------

STDMETHODIMP SampleControl::InitNew(IStorage* storage) {
  if (!storage) return E_POINTER;
  if (persist_state_ != PersistState::kUninitialized) return CO_E_ALREADYINITIALIZED;
  storage_ = storage;
  state_ = SampleState();
  dirty_ = true;  // Nothing is stored yet.
  persist_state_ = PersistState::kNormal;
  return S_OK;
}

STDMETHODIMP SampleControl::Load(IStorage* storage) {
  if (!storage) return E_POINTER;
  if (persist_state_ != PersistState::kUninitialized) return CO_E_ALREADYINITIALIZED;
  ComPtr<IStream> stream;
  HRESULT hr = storage->OpenStream(kContentsStreamName, nullptr,
                                   STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
  if (FAILED(hr)) return hr;
  SampleState loaded;
  hr = ReadSampleState(stream.Get(), &loaded);
  if (FAILED(hr)) return hr;
  state_ = loaded;
  storage_ = storage;
  dirty_ = false;
  persist_state_ = PersistState::kNormal;
  NotifyChanged();
  return S_OK;
}

STDMETHODIMP SampleControl::Save(IStorage* storage, BOOL same_as_load) {
  if (!storage) return E_POINTER;
  if (persist_state_ == PersistState::kUninitialized) return E_UNEXPECTED;
  ComPtr<IStream> stream;
  HRESULT hr = storage->CreateStream(kContentsStreamName,
                                     STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                     &stream);
  if (FAILED(hr)) return hr;
  hr = WriteSampleState(stream.Get(), state_);
  if (FAILED(hr)) return hr;
  save_same_as_load_ = same_as_load != FALSE;
  persist_state_ = PersistState::kNoScribble;
  return S_OK;
}

STDMETHODIMP SampleControl::SaveCompleted(IStorage* storage) {
  if (persist_state_ == PersistState::kUninitialized) return E_UNEXPECTED;
  if (persist_state_ == PersistState::kHandsOff && !storage) return E_UNEXPECTED;
  if (storage) {
    storage_ = storage;
    dirty_ = false;
  } else if (persist_state_ == PersistState::kNoScribble && save_same_as_load_) {
    dirty_ = false;
  }
  save_same_as_load_ = false;
  persist_state_ = PersistState::kNormal;
  if (ole_advise_holder_) ole_advise_holder_->SendOnSave();
  return S_OK;
}

STDMETHODIMP SampleControl::HandsOffStorage() {
  if (persist_state_ == PersistState::kUninitialized) return E_UNEXPECTED;
  storage_.Reset();
  persist_state_ = PersistState::kHandsOff;
  return S_OK;
}

// ---- IPersistStreamInit ---------------------------------------------------

STDMETHODIMP SampleControl::Load(IStream* stream) {
  if (!stream) return E_POINTER;
  if (persist_state_ != PersistState::kUninitialized) return E_UNEXPECTED;
  SampleState loaded;
  const HRESULT hr = ReadSampleState(stream, &loaded);
  if (FAILED(hr)) return hr;
  state_ = loaded;
  dirty_ = false;
  persist_state_ = PersistState::kNormal;
  NotifyChanged();
  return S_OK;
}

STDMETHODIMP SampleControl::Save(IStream* stream, BOOL clear_dirty) {
  if (!stream) return E_POINTER;
  const HRESULT hr = WriteSampleState(stream, state_);
  if (FAILED(hr)) return hr;
  if (clear_dirty) dirty_ = false;
  return S_OK;
}

STDMETHODIMP SampleControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (!size) return E_POINTER;
  size->QuadPart = kStateRecordSize;
  return S_OK;
}

STDMETHODIMP SampleControl::InitNew() {
  if (persist_state_ != PersistState::kUninitialized) return E_UNEXPECTED;
  state_ = SampleState();
  dirty_ = false;
  persist_state_ = PersistState::kNormal;
  return S_OK;
}

}  // namespace tarvelax::sample
