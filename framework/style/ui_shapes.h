// Where the drawing primitives of the UI style put their lines, polygons and squares: bevel
// edges, arrows, the check glyph, separators, the size grip, splitters and the origin of vertical
// text. Platform-free; the GDI calls that draw them are in ui_primitives_win.cpp.
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"

/// A polyline of three points, drawn as GDI draws lines: the last point is not painted.
struct ZrfPolyline3 {
  ZrfPoint points[3];
};

/// The two edges of a bevel: left and top (from (left, bottom - 1) up to (left, top), on to
/// (right, top)), then right and bottom (from (right - 1, top + 1) down to (right - 1, bottom - 1),
/// on to (left, bottom - 1)).
struct BevelEdges {
  ZrfPolyline3 topLeft;
  ZrfPolyline3 bottomRight;
};
BevelEdges BevelEdgesOf(const ZrfRect& rect);

/// Arrow directions of DrawArrow.
enum ArrowDirection : int32_t { kArrowRight = 0, kArrowDown = 1, kArrowUp = 2 };

/// The filled triangle of an arrow centred in `rect`: half-size e = trunc(min(height, 3) *
/// width / 22); base 2e across the direction, depth e along it. Any direction other than down and
/// up points right.
struct ArrowTriangle {
  ZrfPoint points[3];
  int32_t halfSize;
};
ArrowTriangle ArrowTriangleIn(const ZrfRect& rect, int32_t direction);

/// The six corners of the check glyph centred in `rect`, with u = width / 22: a tick whose
/// strokes are trunc(1.4 u) thick and whose arms reach trunc(4 u) from the centre.
struct GlyphPolygon {
  ZrfPoint points[6];
};
GlyphPolygon CheckGlyphIn(const ZrfRect& rect);

/// The separator's two lines: from `first[0]` to `first[1]` (end not painted) in P31, the same
/// one pixel right and down in P32. Across when the rectangle is wider than tall, else down.
struct SeparatorLines {
  ZrfPoint first[2];
  ZrfPoint second[2];
};
SeparatorLines SeparatorLinesIn(const ZrfRect& rect);

/// The six squares of a size grip in the lower right corner of `rect`: side = height / 8, in a
/// triangle of three, two and one from the bottom row up, 2 sides apart, right-aligned. Each
/// light square (P27) gets a dark one (P26) one pixel further in, towards the corner.
constexpr int32_t kSizeGripSquares = 6;
struct SizeGripSquares {
  ZrfRect light[kSizeGripSquares];
  ZrfRect dark[kSizeGripSquares];
  int32_t count;  ///< 0 when the rectangle is less than 8 pixels high
};
SizeGripSquares SizeGripIn(const ZrfRect& rect);

/// Width of a splitter bar in pixels.
constexpr int32_t kSplitterWidth = 4;
/// The splitter bar along the left edge (vertical) or the top edge of `rect`.
ZrfRect SplitterBarOf(const ZrfRect& rect, bool vertical);

/// Text alignments of DrawTextF, and its vertical flag.
constexpr uint32_t kTextAlignLeft = 0;
constexpr uint32_t kTextAlignCentre = 1;
constexpr uint32_t kTextAlignRight = 2;
constexpr uint32_t kTextVertical = 0x100;

/// Reference point of text turned 90 degrees clockwise in `rect`, whose extent (as measured
/// before turning) is `extentWidth` by `extentHeight`: x = (right + left + extent height) / 2; y =
/// top (alignment 0), centred (1) or ending at the bottom (2).
ZrfPoint VerticalTextOrigin(const ZrfRect& rect, int32_t extentWidth, int32_t extentHeight,
                            uint32_t alignment);
