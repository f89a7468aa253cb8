#include "framework/ui/bar_item_layout.h"

#include <algorithm>

namespace zrf {

namespace {

constexpr uint16_t kIdListEnd = 0xFFFF;

bool Has(const BarItem& item, uint32_t bit) { return (item.flags & bit) != 0; }

// The sizes of an item along and across a row (along = width) or a column (along = height).
int32_t Along(const BarItem& item, bool column) { return column ? item.height : item.width; }
int32_t Across(const BarItem& item, bool column) { return column ? item.width : item.height; }

// A dropped item's command joins the overflow list; a separator heading the list gives way to the
// next dropped command, so the overflow popup never starts with a separator.
void AddOverflowId(std::vector<uint16_t>& ids, bool& headIsSeparator, const BarItem& item) {
  if (ids.size() == 1 && headIsSeparator) {
    ids[0] = item.commandId;
    headIsSeparator = item.separator;
    return;
  }
  if (ids.empty()) headIsSeparator = item.separator;
  ids.push_back(item.commandId);
}

// Rows (along = x) and columns (along = y) alike.
BarItemsResult LayoutLine(std::span<BarItem> items, bool column, const ZrfRect& inner, int32_t spacing) {
  BarItemsResult result{0, 0, false, {}};
  const size_t last = items.size() - 1;
  const int32_t start = column ? inner.top : inner.left;
  const int32_t room = column ? inner.Height() : inner.Width();
  std::vector<bool> counted(items.size(), false);
  int32_t sum = 0;
  int32_t kept = 0;
  int32_t count = 0;
  int32_t keptCount = 0;
  int32_t stretchCount = 0;
  for (size_t i = 0; i < last; ++i) {
    if (Has(items[i], kBarItemHidden)) continue;
    counted[i] = true;
    sum += Along(items[i], column) + (count > 0 ? spacing : 0);
    ++count;
    if (Has(items[i], kBarItemStretch)) ++stretchCount;
    if (!Has(items[i], kBarItemDroppable)) {
      kept += Along(items[i], column) + (keptCount > 0 ? spacing : 0);
      ++keptCount;
    }
  }
  result.length = start + sum + 2;
  result.minLength = start + kept + 2;

  std::vector<bool> dropped(items.size(), false);
  if (sum > room) {
    result.overflowShown = true;
    sum += Along(items[last], column) + (count > 0 ? spacing : 0);
    for (size_t k = last; sum > room && k-- > 0;) {
      if (!counted[k] || !Has(items[k], kBarItemDroppable)) continue;
      dropped[k] = true;
      sum -= Along(items[k], column) + spacing;
      if (Has(items[k], kBarItemStretch)) --stretchCount;
    }
  }
  const int32_t share = stretchCount > 0 ? std::max(room - sum, 0) / stretchCount : 0;

  bool headIsSeparator = false;
  int32_t position = start;
  for (size_t i = 0; i < items.size(); ++i) {
    BarItem& item = items[i];
    item.shown = i == last ? result.overflowShown : counted[i] && !dropped[i];
    if (dropped[i]) AddOverflowId(result.overflowIds, headIsSeparator, item);
    if (!item.shown) continue;
    const int32_t along = Along(item, column) + (Has(item, kBarItemStretch) ? share : 0);
    const int32_t breadth = column ? inner.Width() : inner.Height();
    const int32_t across = Has(item, kBarItemFullBreadth) ? breadth : Across(item, column);
    const int32_t acrossStart = (column ? inner.left : inner.top) + (breadth - across) / 2;
    item.rect = column ? ZrfRect{acrossStart, position, acrossStart + across, position + along}
                       : ZrfRect{position, acrossStart, position + along, acrossStart + across};
    position += along + spacing;
  }
  if (!result.overflowIds.empty()) result.overflowIds.push_back(kIdListEnd);
  return result;
}

// A floating bar: rows wrapped at the inner width.
BarItemsResult LayoutFloating(std::span<BarItem> items, const ZrfRect& inner, int32_t spacing) {
  BarItemsResult result{0, 0, false, {}};
  const size_t last = items.size() - 1;
  // First the rows: row[i] is the row of item i, -1 for an item that does not show.
  std::vector<int32_t> row(items.size(), -1);
  std::vector<size_t> placed;
  for (size_t i = 0; i < last; ++i) {
    if (!Has(items[i], kBarItemHidden)) placed.push_back(i);
  }
  int32_t rowIndex = 0;
  int32_t x = inner.left;
  bool rowEmpty = true;
  auto endRow = [&]() {
    if (rowEmpty) return;
    ++rowIndex;
    x = inner.left;
    rowEmpty = true;
  };
  for (size_t p = 0; p < placed.size(); ++p) {
    const BarItem& item = items[placed[p]];
    const bool ownRow = Has(item, kBarItemOwnRow);
    if (ownRow || (!rowEmpty && x + spacing + item.width > inner.right)) endRow();
    x += (rowEmpty ? 0 : spacing) + item.width;
    row[placed[p]] = rowIndex;
    rowEmpty = false;
    const bool lastPlaced = p + 1 == placed.size();
    const bool nextFits = !lastPlaced && x + spacing + items[placed[p + 1]].width <= inner.right;
    if (ownRow || (item.separator && (lastPlaced || !nextFits))) endRow();
  }
  // Then each row's height and the items' places in it.
  int32_t top = inner.top;
  for (int32_t r = 0; r <= rowIndex; ++r) {
    int32_t height = 0;
    for (size_t i : placed) {
      if (row[i] == r) height = std::max(height, items[i].height);
    }
    int32_t left = inner.left;
    for (size_t i : placed) {
      if (row[i] != r) continue;
      BarItem& item = items[i];
      const int32_t itemHeight = Has(item, kBarItemFullBreadth) ? height : item.height;
      const int32_t y = top + (height - itemHeight) / 2;
      item.rect = {left, y, left + item.width, y + itemHeight};
      left += item.width + spacing;
    }
    if (height > 0) top += height + spacing;
  }
  int32_t natural = 0;
  int32_t count = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    items[i].shown = row[i] >= 0;
    if (!items[i].shown) continue;
    natural += items[i].width + (count > 0 ? spacing : 0);
    ++count;
  }
  result.length = inner.left + natural + 2;
  result.minLength = result.length;
  return result;
}

}  // namespace

BarThickness ThicknessOfBar(std::span<const BarItem> items, bool vertical, bool resizable, int32_t currentThickness) {
  int32_t extent = 0;
  for (const BarItem& item : items) extent = std::max(extent, vertical ? item.width : item.height);
  const int32_t own = items.empty() ? kEmptyBarThickness : extent + 1 + 4;
  const int32_t thickness = resizable && currentThickness > own ? currentThickness : own;
  return {thickness, own, items.empty()};
}

BarItemsResult LayoutBarItems(std::span<BarItem> items, BarOrientation orientation, const ZrfRect& inner,
                              int32_t spacing) {
  if (items.empty()) return {0, 0, false, {}};
  if (orientation == kBarFloating) return LayoutFloating(items, inner, spacing);
  return LayoutLine(items, orientation == kBarColumn, inner, spacing);
}

}  // namespace zrf
