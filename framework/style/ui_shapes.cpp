// Geometry of the drawing primitives; see ui_shapes.h.
#include "framework/style/ui_shapes.h"

#include <algorithm>

BevelEdges BevelEdgesOf(const ZrfRect& r) {
  return BevelEdges{
      {{{r.left, r.bottom - 1}, {r.left, r.top}, {r.right, r.top}}},
      {{{r.right - 1, r.top + 1}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}}},
  };
}

ArrowTriangle ArrowTriangleIn(const ZrfRect& rect, int32_t direction) {
  const int32_t width = rect.Width();
  const int32_t height = rect.Height();
  const int32_t e = std::min(height, 3) * width / 22;
  const int32_t cx = (rect.left + rect.right) / 2;
  const int32_t cy = (rect.top + rect.bottom) / 2;
  // The depth e is split around the centre so that the triangle's middle, not its base, is
  // centred.
  const int32_t back = e / 2;
  const int32_t front = e - back;
  switch (direction) {
    case kArrowDown:
      return {{{cx - e, cy - back}, {cx + e, cy - back}, {cx, cy + front}}, e};
    case kArrowUp:
      return {{{cx - e, cy + back}, {cx + e, cy + back}, {cx, cy - front}}, e};
    default:
      return {{{cx - back, cy - e}, {cx + front, cy}, {cx - back, cy + e}}, e};
  }
}

GlyphPolygon CheckGlyphIn(const ZrfRect& rect) {
  const float u = static_cast<float>(rect.Width()) / 22.0f;
  const int32_t thick = static_cast<int32_t>(1.4f * u);
  const int32_t arm = static_cast<int32_t>(4.0f * u);
  const int32_t cx = (rect.left + rect.right) / 2;
  const int32_t cy = (rect.top + rect.bottom) / 2;
  // A tick at 45 degrees: the short arm rises to the left of its bottom point, the long arm
  // (three times as long) to the right; the strokes are `thick` pixels high. From the top of the
  // long arm to the bottom of the stroke it spans 1.5 arms plus the stroke, centred on cy.
  const ZrfPoint start{cx - arm, cy - thick / 2 + arm / 4};
  const ZrfPoint bottom{cx - arm / 2, start.y + arm / 2};
  const ZrfPoint end{cx + arm, bottom.y - 3 * arm / 2};
  return GlyphPolygon{
      {start, bottom, end, {end.x, end.y + thick}, {bottom.x, bottom.y + thick}, {start.x, start.y + thick}}};
}

SeparatorLines SeparatorLinesIn(const ZrfRect& rect) {
  const bool across = rect.Width() > rect.Height();
  const ZrfPoint from{rect.left, rect.top};
  const ZrfPoint to = across ? ZrfPoint{rect.right - 1, rect.top} : ZrfPoint{rect.left, rect.bottom - 1};
  return SeparatorLines{{from, to}, {{from.x + 1, from.y + 1}, {to.x + 1, to.y + 1}}};
}

SizeGripSquares SizeGripIn(const ZrfRect& rect) {
  SizeGripSquares grip{};
  const int32_t side = rect.Height() / 8;
  if (side <= 0) return grip;
  const int32_t pitch = 2 * side;
  for (int32_t row = 0; row < 3; ++row) {
    for (int32_t column = 0; column + row < 3; ++column) {
      const int32_t left = rect.right - (column + 1) * pitch;
      const int32_t top = rect.bottom - (row + 1) * pitch;
      grip.light[grip.count] = {left, top, left + side, top + side};
      grip.dark[grip.count] = {left + 1, top + 1, left + side + 1, top + side + 1};
      ++grip.count;
    }
  }
  return grip;
}

ZrfRect SplitterBarOf(const ZrfRect& rect, bool vertical) {
  if (vertical) return {rect.left, rect.top, rect.left + kSplitterWidth, rect.bottom};
  return {rect.left, rect.top, rect.right, rect.top + kSplitterWidth};
}

ZrfPoint VerticalTextOrigin(const ZrfRect& rect, int32_t extentWidth, int32_t extentHeight,
                            uint32_t alignment) {
  const int32_t x = (rect.right + rect.left + extentHeight) / 2;
  switch (alignment) {
    case kTextAlignCentre:
      return {x, (rect.bottom + rect.top - extentWidth) / 2};
    case kTextAlignRight:
      return {x, rect.bottom - extentWidth};
    default:
      return {x, rect.top};
  }
}
