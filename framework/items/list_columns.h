// The arithmetic of a list item's columns: where each column starts, how wide the columns are
// together, the horizontal scroll range, the header's height, how many rows show and the size of
// the sort arrows. Platform-free.
#pragma once

#include <cstdint>
#include <span>

/// One column: its left edge and its width as a fraction of the container's client width.
struct ListColumn {
  int32_t left;
  double fraction;
};

/// Sets each column's left: column 0 at 0, column i at the left of column i - 1 plus
/// int(clientWidth x its fraction). Returns the total width, the end of the last column; the
/// client width when there are no columns or they end at 0.
int32_t UpdateColumnLefts(std::span<ListColumn> columns, int32_t clientWidth);

/// The horizontal scroll bar of the container: range 0 .. total - 1, a page of the client width,
/// and the position held between 0 and total - client width (0 when everything shows).
struct ListScroll {
  int32_t maximum;
  int32_t page;
  int32_t position;
};
ListScroll ClampListScroll(int32_t totalWidth, int32_t clientWidth, int32_t position);

/// The header is 1.2 rows high (truncated); 0 without columns.
int32_t ListHeaderHeight(int32_t rowHeight, int32_t columnCount);

/// Rows that show (partly) in `clientHeight`: clientHeight / rowHeight + 1; 0 without a row
/// height.
int32_t VisibleListRows(int32_t clientHeight, int32_t rowHeight);

/// The fraction a column dragged to `width` pixels keeps; 0 for a client width of 0.
double ColumnFraction(int32_t width, int32_t clientWidth);

/// The sort arrow images: a third of the row height made odd (so the arrow has a middle pixel),
/// twice as wide as high.
struct SortImageSize {
  int32_t width;
  int32_t height;
};
SortImageSize SortImageSizeFor(int32_t rowHeight);
