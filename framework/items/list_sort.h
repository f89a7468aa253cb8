// How a list item's header clicks change its sorting, which sort-arrow image a column shows, and
// the colours of a row. Platform-free.
#pragma once

#include <cstdint>

/// The sorting of one list.
struct ListSortState {
  int32_t column;     ///< -1: none
  int32_t direction;  ///< 1 ascending, -1 descending
  bool off;           ///< the user switched sorting off (a right click on the sort column)
};

/// A left click on the header of `column`. With sorting off or no sort column, nothing changes and
/// false is returned. Otherwise the same column toggles the direction 1 / -1 and another column
/// keeps it (0 becoming 1); true: the owner is told the new sort column.
bool ClickSortHeader(ListSortState* state, int32_t column);

/// A right click on the header of `column`: on the sort column it switches sorting off or on again
/// (true); elsewhere nothing (false).
bool RightClickSortHeader(ListSortState* state, int32_t column);

/// The sort-arrow image of the sort column: 0 ascending, 1 descending, plus 2 while sorting is off.
int32_t SortImageIndex(const ListSortState& state);

/// Palette indexes of a row's background and text.
struct ListRowColors {
  int32_t background;
  int32_t text;
};

/// Palette index that marks the row background blended from P6 and P2, which the list keeps.
constexpr int32_t kListRowBlend = -1;

/// Selected rows: P46 on P48 text while the list has the focus, else P58 with P49 text; other rows
/// P49 text on P6 (odd rows) or the list's blended row background (even rows).
ListRowColors ListRowColorsOf(int32_t row, bool selected, bool focused);
