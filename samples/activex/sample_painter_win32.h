// Draws the face of the sample control: its name, the host names it was
// given and the click counter. Shared by its own window and by
// IViewObject::Draw, so the inactive picture matches the live one.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tarvelax::sample {

struct SampleFace {
  const wchar_t* application = L"";  // IOleObject::SetHostNames, first name.
  const wchar_t* container = L"";    // IOleObject::SetHostNames, second name.
  std::uint32_t clicks = 0;
  bool active = false;  // In place active: a livelier border.
};

// Paints the whole of bounds on dc. Fonts scale with the rectangle, so a
// thumbnail and a full window both read well.
void PaintSampleFace(HDC dc, const RECT& bounds, const SampleFace& face);

}  // namespace tarvelax::sample
