#include "framework/items/list_sort.h"

bool ClickSortHeader(ListSortState* state, int32_t column) {
  if (state->off || state->column < 0) return false;
  if (column == state->column) {
    state->direction = state->direction == 1 ? -1 : 1;
  } else if (state->direction == 0) {
    state->direction = 1;
  }
  state->column = column;
  return true;
}

bool RightClickSortHeader(ListSortState* state, int32_t column) {
  if (state->column < 0 || column != state->column) return false;
  state->off = !state->off;
  return true;
}

int32_t SortImageIndex(const ListSortState& state) {
  return (state.direction < 0 ? 1 : 0) | (state.off ? 2 : 0);
}

ListRowColors ListRowColorsOf(int32_t row, bool selected, bool focused) {
  if (selected) return focused ? ListRowColors{46, 48} : ListRowColors{58, 49};
  return {row % 2 != 0 ? 6 : kListRowBlend, 49};
}
