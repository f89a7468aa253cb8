#include "framework/items/popup_layout.h"

#include <algorithm>

PopupLayout LayoutPopupEntries(std::span<const PopupEntrySize> entries, std::span<int32_t> tops) {
  PopupLayout layout{};
  if (entries.empty()) return layout;
  int32_t column = entries[0].height;
  for (const PopupEntrySize& entry : entries) column = std::max(column, entry.iconColumn);
  layout.iconColumn = column + 4;
  int32_t y = kPopupMargin;
  for (size_t i = 0; i < entries.size(); ++i) {
    const PopupEntrySize& entry = entries[i];
    const int32_t lack = entry.iconColumn < layout.iconColumn ? layout.iconColumn - entry.iconColumn : 0;
    layout.contentWidth = std::max(layout.contentWidth, entry.width + lack);
    if (tops.size() == entries.size()) tops[i] = y;
    y += entry.height;
  }
  layout.width = layout.contentWidth + 2 * kPopupMargin;
  layout.height = y + kPopupMargin;
  return layout;
}

ZrfPoint PopupOrigin(const ZrfRect& anchor, PopupOpening opening) {
  if (opening == PopupOpening::kCascade) return {anchor.right - 2, anchor.top - 2};
  return {anchor.left, anchor.bottom};
}

ZrfPoint PlacePopup(const ZrfRect& anchor, int32_t width, int32_t height, PopupOpening opening,
                    const ZrfRect& monitor) {
  ZrfPoint at = PopupOrigin(anchor, opening);
  const bool pastRight = at.x + width > monitor.right;
  const bool pastBottom = at.y + height > monitor.bottom;
  if (opening == PopupOpening::kCascade) {
    if (pastRight) at.x = anchor.left - width;
    if (pastBottom) at.y = anchor.bottom - height;
  } else {
    if (pastRight) at.x = anchor.right - width;
    if (pastBottom) at.y = anchor.top - height;
  }
  return at;
}
