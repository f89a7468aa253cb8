// How a bar sizes itself and lays out its UI items: its thickness from its tallest item, the items
// in a row or a column with the overflow entry (the bar's last item) shown and the droppable items
// sent to its list when the room runs out, or wrapped into rows in a floating bar. Platform-free:
// the bar measures its items and moves their windows where this puts them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/base/zrf_rect.h"

namespace zrf {

/// How a bar's items are measured and laid out.
enum BarOrientation : int32_t {
  kBarRow = 0,       ///< docked at the top or bottom
  kBarColumn = 1,    ///< docked at the left or right
  kBarFloating = 2,  ///< a floating bar: rows wrapped at its length
};

/// Item bits the layout reads (the items' command flags).
constexpr uint32_t kBarItemStretch = 0x2;
constexpr uint32_t kBarItemFullBreadth = 0x4;
constexpr uint32_t kBarItemOwnRow = 0x8;
constexpr uint32_t kBarItemDroppable = 0x1000;
constexpr uint32_t kBarItemHidden = 0x800000;

/// One item of the bar.
struct BarItem {
  int32_t width;       ///< as measured for the orientation
  int32_t height;
  uint32_t flags;      ///< its command's flags
  bool separator;      ///< its command is a separator (kind 4)
  uint16_t commandId;
  // Results.
  bool shown;
  ZrfRect rect;  ///< in the bar's client coordinates, when shown
};

/// A bar's thickness and its size without items.
struct BarThickness {
  int32_t thickness;
  int32_t minThickness;
  bool empty;  ///< the bar has no items: 20 long and 24 thick
};
constexpr int32_t kEmptyBarLength = 20;
constexpr int32_t kEmptyBarThickness = 24;

/// The thickness of a bar: its largest item height (width in a vertical bay) + 1 + 4, or 24
/// without items, which is also its minimum; a resizable bar keeps `currentThickness` when that
/// is larger.
BarThickness ThicknessOfBar(std::span<const BarItem> items, bool vertical, bool resizable, int32_t currentThickness);

/// What a layout gives the bar.
struct BarItemsResult {
  int32_t length;           ///< natural length: the inner start, the items and spacings, + 2
  int32_t minLength;        ///< the same over the items that cannot be dropped
  bool overflowShown;       ///< the overflow entry (the last item) shows
  std::vector<uint16_t> overflowIds;  ///< dropped items' commands, ending with 0xFFFF
};

/// Lays `items` out inside `inner` (the bar's item area) with `spacing` between them. In a row or
/// column every item but the last (the overflow entry) that is not hidden takes its place along
/// the bar; when they do not fit, the overflow entry shows and droppable items go, from the end,
/// until they fit; stretch items share the room left; full-breadth items span the bar across,
/// the others are centred. A floating bar wraps its items into rows at the inner width: an own-row
/// item stands alone, a row ends before an item that would pass the width, and a separator ends
/// its row when it is the last item or the next one would not fit; the overflow entry stays
/// hidden.
BarItemsResult LayoutBarItems(std::span<BarItem> items, BarOrientation orientation, const ZrfRect& inner,
                              int32_t spacing);

}  // namespace zrf
