// Where a menu item's popup puts its entries and where the popup itself opens: the icon column all
// entries share, the popup's size, and the cascade or drop-down place flipped at the edges of the
// monitor. Platform-free: the menu item measures its entries and asks for the monitor.
#pragma once

#include <cstdint>
#include <span>

#include "framework/base/zrf_rect.h"

/// One entry of a popup as measured.
struct PopupEntrySize {
  int32_t width;
  int32_t height;
  int32_t iconColumn;  ///< the entry's own scaled icon width
};

/// Room around the entries, on every side of the popup.
constexpr int32_t kPopupMargin = 3;

/// The popup's entries laid out.
struct PopupLayout {
  int32_t iconColumn;    ///< shared by every entry, so that all labels start at one x
  int32_t contentWidth;  ///< every entry is this wide
  int32_t width;         ///< the popup window
  int32_t height;
};

/// Lays `entries` out from the top: the icon column is the first entry's height, or the largest
/// entry icon column when that is larger, plus 4; each entry's width grows by what its own icon
/// column lacks of that; the popup is the widest entry plus 6 by the heights plus 6. The top of
/// entry i (in popup coordinates, all at x kPopupMargin) goes to `tops[i]` when `tops` holds
/// `entries.size()` places. No entries: all zero.
PopupLayout LayoutPopupEntries(std::span<const PopupEntrySize> entries, std::span<int32_t> tops);

/// How a popup opens from its anchor.
enum class PopupOpening {
  kCascade,   ///< beside the anchor, overlapping it by 2 pixels (an entry inside a popup)
  kDropDown,  ///< below the anchor
};

/// The first place of a popup opening from `anchor` (screen coordinates): the point whose monitor
/// decides the flips of PlacePopup.
ZrfPoint PopupOrigin(const ZrfRect& anchor, PopupOpening opening);

/// The popup's top-left corner: PopupOrigin, then a cascade that would pass the right edge of
/// `monitor` opens to the left of the anchor and one that would pass the bottom ends at the
/// anchor's bottom; a drop-down that would pass the right edge ends at the anchor's right and one
/// that would pass the bottom opens above the anchor.
ZrfPoint PlacePopup(const ZrfRect& anchor, int32_t width, int32_t height, PopupOpening opening,
                    const ZrfRect& monitor);
