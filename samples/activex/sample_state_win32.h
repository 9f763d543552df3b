// The persistent state of the sample control and its stored form: one
// small record in a stream ("Contents" inside the object's storage).
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>

namespace tarvelax::sample {

// Name of the stream inside the object's storage that holds the record.
inline constexpr wchar_t kContentsStreamName[] = L"Contents";

// Size of the stored record in bytes: a tag, the click counter and the
// extent (HIMETRIC width and height).
inline constexpr ULONG kStateRecordSize = 16;

struct SampleState {
  std::uint32_t clicks = 0;
  SIZEL extent = {8467, 5292};  // 320 x 200 pixels at 96 dpi.
};

// Writes the record at the stream's current position.
HRESULT WriteSampleState(IStream* stream, const SampleState& state);

// Reads a record from the stream's current position. A short, foreign or
// damaged record gives STG_E_READFAULT or STG_E_INVALIDHEADER and leaves
// *state untouched.
HRESULT ReadSampleState(IStream* stream, SampleState* state);

}  // namespace tarvelax::sample
