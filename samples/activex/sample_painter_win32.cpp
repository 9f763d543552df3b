#include "sample_painter_win32.h"

#include <algorithm>
#include <cwchar>

#include "sample_ids_win32.h"

namespace tarvelax::sample {
namespace {

constexpr COLORREF kBackground = RGB(255, 250, 232);
constexpr COLORREF kBand = RGB(0, 84, 153);
constexpr COLORREF kBandActive = RGB(0, 120, 215);
constexpr COLORREF kBandText = RGB(255, 255, 255);
constexpr COLORREF kLabelText = RGB(96, 96, 96);
constexpr COLORREF kValueText = RGB(20, 20, 20);
constexpr COLORREF kCounterText = RGB(170, 40, 20);

// A GDI font that deletes itself.
class Font {
 public:
  Font(int height, int weight)
      : font_(CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, L"Tahoma")) {}
  ~Font() {
    if (font_) DeleteObject(font_);
  }
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  HFONT get() const { return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

 private:
  HFONT font_;
};

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  if (!brush) return;
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

// One "Label: value" line; the value may be any length and is cut with an
// ellipsis at the right edge.
void DrawLabelledLine(HDC dc, HFONT label_font, HFONT value_font, const wchar_t* label,
                      const wchar_t* value, RECT line) {
  SelectObject(dc, label_font);
  SetTextColor(dc, kLabelText);
  RECT label_rect = line;
  DrawTextW(dc, label, -1, &label_rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SIZE label_size = {};
  GetTextExtentPoint32W(dc, label, static_cast<int>(std::wcslen(label)), &label_size);
  line.left += label_size.cx;
  SelectObject(dc, value_font);
  SetTextColor(dc, kValueText);
  const wchar_t* shown = (value && *value) ? value : L"(none)";
  DrawTextW(dc, shown, -1, &line,
            DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

void PaintSampleFace(HDC dc, const RECT& bounds, const SampleFace& face) {
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return;

  const int saved = SaveDC(dc);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  SetBkMode(dc, TRANSPARENT);

  FillSolid(dc, bounds, kBackground);

  // Type sizes follow the smaller of the two dimensions.
  const int unit = std::clamp(std::min(width / 24, height / 10), 9, 32);
  const int margin = std::max(unit / 2, 4);
  const int border = std::max(unit / 8, 2);

  // Frame around the whole face.
  const COLORREF band = face.active ? kBandActive : kBand;
  RECT edge = bounds;
  for (int i = 0; i < border; ++i) {
    HBRUSH brush = CreateSolidBrush(band);
    if (brush) {
      FrameRect(dc, &edge, brush);
      DeleteObject(brush);
    }
    InflateRect(&edge, -1, -1);
  }

  // Title band with the control's name.
  Font title_font(unit * 3 / 2, FW_BOLD);
  RECT title = {bounds.left, bounds.top, bounds.right, bounds.top + unit * 5 / 2};
  FillSolid(dc, title, band);
  SelectObject(dc, title_font.get());
  SetTextColor(dc, kBandText);
  RECT title_text = title;
  title_text.left += margin;
  title_text.right -= margin;
  DrawTextW(dc, kWindowTitle, -1, &title_text,
            DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);

  // The host names, one line each.
  Font label_font(unit, FW_NORMAL);
  Font value_font(unit, FW_BOLD);
  RECT line = {bounds.left + margin + border, title.bottom + margin, bounds.right - margin,
               title.bottom + margin + unit * 3 / 2};
  DrawLabelledLine(dc, label_font.get(), value_font.get(), L"Application: ", face.application,
                   line);
  OffsetRect(&line, 0, unit * 3 / 2);
  DrawLabelledLine(dc, label_font.get(), value_font.get(), L"Container: ", face.container, line);

  // The counter, large, below them.
  Font counter_font(unit * 2, FW_BOLD);
  wchar_t counter[48];
  std::swprintf(counter, sizeof counter / sizeof counter[0], L"Clicks: %lu",
                static_cast<unsigned long>(face.clicks));
  RECT counter_rect = {line.left, line.bottom + margin, line.right,
                       line.bottom + margin + unit * 3};
  SelectObject(dc, counter_font.get());
  SetTextColor(dc, kCounterText);
  DrawTextW(dc, counter, -1, &counter_rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);

  // A hint along the bottom edge.
  Font hint_font(std::max(unit * 3 / 4, 8), FW_NORMAL);
  RECT hint = {line.left, bounds.bottom - border - unit * 3 / 2, line.right, bounds.bottom - border};
  if (hint.top > counter_rect.bottom) {
    SelectObject(dc, hint_font.get());
    SetTextColor(dc, kLabelText);
    DrawTextW(dc, L"Click to count", -1, &hint,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }

  RestoreDC(dc, saved);
}

}  // namespace tarvelax::sample
