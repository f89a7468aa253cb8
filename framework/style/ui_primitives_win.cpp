// The GDI drawing primitives of the UI style: rectangles, bevels, gradients, arrows, the check
// glyph, separators, the size grip and splitters. Their geometry is ui_shapes.h's.
#include <cstddef>

#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_rect_win.h"
#include "framework/style/ui_shapes.h"
#include "framework/style/ui_style_win.h"

namespace {

template <size_t N>
void ToPoints(const ZrfPoint (&from)[N], POINT (&to)[N]) {
  for (size_t i = 0; i < N; ++i) to[i] = POINT{from[i].x, from[i].y};
}

// A polygon filled and outlined in one colour; the DC pen and brush take the colour, so nothing
// is created.
template <size_t N>
void FillPolygon(HDC dc, const ZrfPoint (&corners)[N], uint32_t color) {
  POINT points[N];
  ToPoints(corners, points);
  ScopedSelect pen(dc, GetStockObject(DC_PEN));
  ScopedSelect brush(dc, GetStockObject(DC_BRUSH));
  const COLORREF oldPen = SetDCPenColor(dc, color);
  const COLORREF oldBrush = SetDCBrushColor(dc, color);
  Polygon(dc, points, static_cast<int>(N));
  SetDCPenColor(dc, oldPen);
  SetDCBrushColor(dc, oldBrush);
}

template <size_t N>
void DrawPolyline(HDC dc, const ZrfPoint (&corners)[N], uint32_t color) {
  POINT points[N];
  ToPoints(corners, points);
  ScopedSelect pen(dc, GetStockObject(DC_PEN));
  const COLORREF old = SetDCPenColor(dc, color);
  Polyline(dc, points, static_cast<int>(N));
  SetDCPenColor(dc, old);
}

}  // namespace

void DeflateRect(const RECT& rect, RECT* out, int32_t n) {
  *out = RECT{rect.left + n, rect.top + n, rect.right - n, rect.bottom - n};
}

void CUIStyle::FillRect(HDC dc, const RECT& rect, uint32_t color) {
  ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(color));
  ScopedSelect select(dc, brush.Get());
  PatBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATCOPY);
}

void CUIStyle::FrameRect(HDC dc, const RECT& rect, uint32_t color) {
  ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(color));
  if (brush.Get() != nullptr) ::FrameRect(dc, &rect, brush.Get());
}

void CUIStyle::DrawRectangle(HDC dc, const RECT& rect, uint32_t penColor, uint32_t brushColor) {
  const bool hollow = brushColor == kHollowBrush;
  ScopedSelect pen(dc, GetStockObject(DC_PEN));
  ScopedSelect brush(dc, GetStockObject(hollow ? NULL_BRUSH : DC_BRUSH));
  const COLORREF oldPen = SetDCPenColor(dc, penColor);
  const COLORREF oldBrush = hollow ? 0 : SetDCBrushColor(dc, brushColor);
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  SetDCPenColor(dc, oldPen);
  if (!hollow) SetDCBrushColor(dc, oldBrush);
}

void CUIStyle::DrawBevel(HDC dc, const RECT& rect, bool raised, uint32_t a, uint32_t b) {
  const BevelEdges edges = BevelEdgesOf(ToZrfRect(rect));
  DrawPolyline(dc, edges.topLeft.points, raised ? a : b);
  DrawPolyline(dc, edges.bottomRight.points, raised ? b : a);
}

void CUIStyle::GradientRect(HDC dc, uint32_t a, uint32_t b, const RECT& rect, int32_t mode) {
  // The vertex channels are 16 bits wide: a colour byte goes into the high byte.
  auto vertex = [](LONG x, LONG y, uint32_t color) {
    return TRIVERTEX{x,
                     y,
                     static_cast<COLOR16>(GetRValue(color) << 8),
                     static_cast<COLOR16>(GetGValue(color) << 8),
                     static_cast<COLOR16>(GetBValue(color) << 8),
                     0};
  };
  TRIVERTEX vertices[2] = {vertex(rect.left, rect.top, a), vertex(rect.right, rect.bottom, b)};
  GRADIENT_RECT mesh{0, 1};
  GradientFill(dc, vertices, 2, &mesh, 1,
               mode == kGradientVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

void CUIStyle::DrawArrow(HDC dc, uint32_t selector, int32_t direction, const RECT& rect) {
  const ArrowTriangle arrow = ArrowTriangleIn(ToZrfRect(rect), direction);
  if (arrow.halfSize <= 0) return;
  FillPolygon(dc, arrow.points, SelectorColor(selector, palette));
}

void CUIStyle::DrawGlyph(HDC dc, uint32_t selector, const RECT& rect) {
  FillPolygon(dc, CheckGlyphIn(ToZrfRect(rect)).points, SelectorColor(selector, palette));
}

void CUIStyle::DrawSeparator(HDC dc, const RECT& rect) {
  const SeparatorLines lines = SeparatorLinesIn(ToZrfRect(rect));
  DrawPolyline(dc, lines.first, palette[31]);
  DrawPolyline(dc, lines.second, palette[32]);
}

void CUIStyle::DrawSizeGrip(HDC dc, const RECT& rect) {
  const SizeGripSquares grip = SizeGripIn(ToZrfRect(rect));
  for (int32_t i = 0; i < grip.count; ++i) {
    FillRect(dc, ToWinRect(grip.light[i]), palette[27]);
    FillRect(dc, ToWinRect(grip.dark[i]), palette[26]);
  }
}

void CUIStyle::DrawSplitter(HDC dc, const RECT& rect, RECT* out, bool vertical) {
  const RECT bar = ToWinRect(SplitterBarOf(ToZrfRect(rect), vertical));
  if (out != nullptr) *out = bar;
  if (dc == nullptr) return;
  DrawBevel(dc, bar, true, palette[2], palette[3]);
  RECT inside;
  DeflateRect(bar, &inside, 1);
  FillRect(dc, inside, palette[30]);
}
