#include "framework/items/list_columns.h"

#include <algorithm>

int32_t UpdateColumnLefts(std::span<ListColumn> columns, int32_t clientWidth) {
  int32_t left = 0;
  int32_t end = 0;
  for (ListColumn& column : columns) {
    column.left = left;
    end = left + static_cast<int32_t>(clientWidth * column.fraction);
    left = end;
  }
  if (columns.empty() || end == 0) return clientWidth;
  return end;
}

ListScroll ClampListScroll(int32_t totalWidth, int32_t clientWidth, int32_t position) {
  const int32_t page = std::max(clientWidth, 0);
  const int32_t furthest = std::max(totalWidth - page, 0);
  return {std::max(totalWidth - 1, 0), page, std::clamp(position, 0, furthest)};
}

int32_t ListHeaderHeight(int32_t rowHeight, int32_t columnCount) {
  if (columnCount <= 0) return 0;
  return static_cast<int32_t>(rowHeight * 1.2);
}

int32_t VisibleListRows(int32_t clientHeight, int32_t rowHeight) {
  if (rowHeight <= 0) return 0;
  return clientHeight / rowHeight + 1;
}

double ColumnFraction(int32_t width, int32_t clientWidth) {
  if (clientWidth <= 0) return 0.0;
  return static_cast<double>(width) / clientWidth;
}

SortImageSize SortImageSizeFor(int32_t rowHeight) {
  const int32_t height = (rowHeight / 3) | 1;
  return {2 * height, height};
}
