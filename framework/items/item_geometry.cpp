// Measuring and layout of an item's parts; see item_geometry.h.
#include "framework/items/item_geometry.h"

#include <algorithm>
#include <cmath>

#include "framework/items/item_flags.h"

namespace {

constexpr int32_t kDefaultIconSize = 16;
constexpr int32_t kMinimumLabelHeight = 16;
// The command's stretch values are floats given by the program; beyond this (or not a number)
// they stretch nothing rather than overflow the label's size.
constexpr float kLargestStretch = 64.0f;

float SaneStretch(float value) { return std::fabs(value) <= kLargestStretch ? value : 0.0f; }

}  // namespace

bool MeasuresLabel(uint32_t flags, bool inPopup, int32_t extraWidth) {
  return (inPopup && extraWidth == 0) || (flags & kItemShowLabel) != 0;
}

ItemMeasurement FinishMeasure(const ItemParts& parts, uint32_t flags, int32_t u, int32_t dpi,
                              float stretchWidth, float stretchHeight) {
  ItemMeasurement m{};
  m.parts = parts;
  ItemSize& icon = m.parts.icon;
  if (icon == kUnsetSize) {
    icon = (flags & kItemHasIcon) != 0 ? ItemSize{kDefaultIconSize, kDefaultIconSize} : ItemSize{0, 0};
  }
  if (m.parts.label == kUnsetSize) m.parts.label = {0, 0};
  icon.cx = static_cast<int32_t>(static_cast<int64_t>(icon.cx) * dpi / 96);
  icon.cy = static_cast<int32_t>(static_cast<int64_t>(icon.cy) * dpi / 96);
  m.iconColumn = icon.cx;

  ItemSize& label = m.parts.label;
  const int32_t labelHeight = label.cy;
  label.cx += static_cast<int32_t>(static_cast<float>(labelHeight) * SaneStretch(stretchWidth));
  label.cy += static_cast<int32_t>(static_cast<float>(labelHeight) * SaneStretch(stretchHeight));
  label.cy = std::max(label.cy, kMinimumLabelHeight);

  const ItemParts& p = m.parts;
  m.height = std::max({p.icon.cy, p.extra.cy, p.label.cy, p.shortcut.cy, p.trail.cy}) + 2 * u;
  int32_t width = u + p.trail.cx;
  if (p.icon.cx > 0) width += p.icon.cx + u;
  if (p.extra.cx > 0) width += p.extra.cx + u;
  if (p.label.cx > 0) width += p.label.cx + u;
  if (p.shortcut.cx > 0) width += 4 * u + p.shortcut.cx;
  m.width = width;
  return m;
}

ItemPartRects LayoutItemParts(const ItemMeasurement& measured, int32_t clientWidth, int32_t clientHeight,
                              int32_t offset, bool centre, bool inPopup, int32_t popupIconColumn,
                              uint32_t flags, int32_t u) {
  const ItemParts& p = measured.parts;
  const int32_t w = clientWidth;
  const int32_t h = clientHeight;
  ItemPartRects r{};
  const int32_t iconTop = u + (h - 2 * u - p.icon.cy + 1) / 2 + offset;
  const int32_t extraTop = u + (h - p.extra.cy - 2 * u + 1) / 2 + offset;
  const int32_t labelTop = static_cast<int32_t>((h + 1 - 2 * u - p.label.cy) * 0.5 + offset + u + 0.5);
  r.icon.top = iconTop;
  r.icon.bottom = iconTop + p.icon.cy;
  r.extra.top = extraTop;
  r.extra.bottom = extraTop + p.extra.cy;
  r.label.top = r.shortcut.top = labelTop;
  r.label.bottom = labelTop + p.label.cy;
  r.shortcut.bottom = labelTop + p.shortcut.cy;

  if (!inPopup && centre) offset += (w - measured.width) / 2;
  r.icon.left = u + offset;
  r.icon.right = r.icon.left + p.icon.cx;
  int32_t x;
  if (inPopup) {
    x = offset + popupIconColumn;
  } else {
    x = p.icon.cx > 0 ? r.icon.right + u : u + offset;
  }
  r.extra.left = x;
  r.extra.right = x + p.extra.cx;
  r.label.left = p.extra.cx > 0 ? r.extra.right + u : x;
  r.label.right = r.label.left + p.label.cx;
  if (inPopup && p.shortcut.cx > 0) {
    r.shortcut.left = w - p.trail.cx - p.shortcut.cx - u;
    r.shortcut.right = r.shortcut.left + p.shortcut.cx;
  }
  if ((flags & kItemStretch) != 0) r.label.right = w - p.trail.cx - p.shortcut.cx - u;
  return r;
}
