#include "sample_state_win32.h"


namespace tarvelax::sample {
namespace {

constexpr std::uint32_t kRecordTag = 0x31535854;  // "TXS1" in file order.
// Extents beyond this (about 10 m) are taken as a damaged record.
constexpr LONG kLargestExtent = 1000000;

void PutUint32(unsigned char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t GetUint32(const unsigned char* at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | at[i];
  return value;
}

}  // namespace

HRESULT WriteSampleState(IStream* stream, const SampleState& state) {
  if (!stream) return E_POINTER;
  unsigned char record[kStateRecordSize];
  PutUint32(record, kRecordTag);
  PutUint32(record + 4, state.clicks);
  PutUint32(record + 8, static_cast<std::uint32_t>(state.extent.cx));
  PutUint32(record + 12, static_cast<std::uint32_t>(state.extent.cy));
  ULONG written = 0;
  const HRESULT hr = stream->Write(record, kStateRecordSize, &written);
  if (FAILED(hr)) return hr;
  return written == kStateRecordSize ? S_OK : STG_E_WRITEFAULT;
}

HRESULT ReadSampleState(IStream* stream, SampleState* state) {
  if (!stream || !state) return E_POINTER;
  unsigned char record[kStateRecordSize];
  ULONG read = 0;
  const HRESULT hr = stream->Read(record, kStateRecordSize, &read);
  if (FAILED(hr)) return hr;
  if (read != kStateRecordSize) return STG_E_READFAULT;
  if (GetUint32(record) != kRecordTag) return STG_E_INVALIDHEADER;
  SampleState loaded;
  loaded.clicks = GetUint32(record + 4);
  loaded.extent.cx = static_cast<LONG>(GetUint32(record + 8));
  loaded.extent.cy = static_cast<LONG>(GetUint32(record + 12));
  if (loaded.extent.cx <= 0 || loaded.extent.cy <= 0 || loaded.extent.cx > kLargestExtent ||
      loaded.extent.cy > kLargestExtent) {
    return STG_E_INVALIDHEADER;
  }
  *state = loaded;
  return S_OK;
}

}  // namespace tarvelax::sample
