// How a UI item is measured and how its parts (icon, extra part, label, shortcut) are laid out in
// its client area. Platform-free: the item measures its texts and icon through the UI style and
// hands the sizes in.
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"

struct ItemSize {
  int32_t cx;
  int32_t cy;
  bool operator==(const ItemSize&) const = default;
};

/// A size not set yet by the kind's own measuring.
constexpr ItemSize kUnsetSize{-1, -1};

/// The parts of an item, as measured.
struct ItemParts {
  ItemSize icon;      ///< the icon, scaled to the DPI by FinishMeasure
  ItemSize extra;     ///< the kind's own part (a slider's track, a palette's swatches)
  ItemSize label;     ///< the label text
  ItemSize shortcut;  ///< the second text, in popups
  ItemSize trail;     ///< a menu item's arrow part
};

/// Whether the label is measured (and so shown): in a popup unless the item has an extra part,
/// elsewhere only with kItemShowLabel.
bool MeasuresLabel(uint32_t flags, bool inPopup, int32_t extraWidth);

/// What measuring gives.
struct ItemMeasurement {
  ItemParts parts;
  int32_t width;
  int32_t height;
  int32_t iconColumn;  ///< the scaled icon width
};

/// Finishes the measuring of an item whose kind and texts filled `parts`: an icon still unset
/// becomes 16 x 16 with kItemHasIcon, else 0 x 0; the icon is scaled by dpi / 96; the label is
/// stretched by `stretchWidth` and `stretchHeight` (times its height; a value that is not a number
/// or beyond +-64 stretches nothing) and is at least 16 high;
/// height = the tallest part + 2u; width = u + trail, plus each part present and a space after
/// it, plus 4u and the shortcut when there is one. `u` is the UI font's space width.
ItemMeasurement FinishMeasure(const ItemParts& parts, uint32_t flags, int32_t u, int32_t dpi,
                              float stretchWidth, float stretchHeight);

/// The part rectangles in the client area.
struct ItemPartRects {
  ZrfRect icon;
  ZrfRect extra;
  ZrfRect label;
  ZrfRect shortcut;
};

/// Where the parts go in a client area of `clientWidth` x `clientHeight`: each part centred
/// vertically and moved by `offset` (the press offset) both ways; from the left the icon, then
/// the extra part and the label (in a popup the label starts at `offset` + the popup's icon
/// column, so all labels of a popup line up); outside a popup `centre` centres the content; in a
/// popup the shortcut is right-aligned before the trailing part; kItemStretch takes the label up
/// to the shortcut column.
ItemPartRects LayoutItemParts(const ItemMeasurement& measured, int32_t clientWidth, int32_t clientHeight,
                              int32_t offset, bool centre, bool inPopup, int32_t popupIconColumn,
                              uint32_t flags, int32_t u);
