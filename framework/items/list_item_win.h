// CList (kind 6): a multi-column list: a container window holding a header control and an
// owner-drawn list box. The owner draws each row's content (WM_DRAWITEM), compares rows for the
// sorting (WM_COMPAREITEM) and gets list codes in the high word of WM_ZRF_COMMAND (zrf_messages.h).
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdint>

#include "framework/base/zrf_array.h"
#include "framework/items/list_columns.h"
#include "framework/items/ui_item_win.h"

/// The timer of a pending slow click (a second click on the selected row).
constexpr UINT_PTR kSlowClickTimer = 0x1234;

class CList : public CUIItem {
 public:
  CList();
  ~CList() override;

  /// Makes the container (bordered with kItemVariantA), the header and the list box (a tab stop
  /// with kItemVariantB, extended selection while multiSelect), 64 x 64, with no columns and no
  /// rows; the command loses kItemDroppable. 0, or ZRF_ERR_CREATE when a window cannot be made.
  int32_t Create(uint16_t commandId, HWND parent, HWND owner, CUIItem* parentMenu) override;
  /// Frees the rows' data (when the list owns it), the sort arrows, both controls and the
  /// columns; the list is empty again.
  void OnDestroy() override;
  /// The controls paint themselves.
  void Paint(HDC dc, const RECT& client) override;

  /// Appends a column headed `text` taking `fraction` of the client width. Its index, or -1.
  int32_t AddColumn(const char* text, double fraction);
  /// Adds a row whose data the owner draws and compares (kept in its sorted place). Its index,
  /// or -1.
  int32_t AddRow(void* data);
  /// Selects (or deselects) `row`; -1 stands for all rows of an extended selection (for a single
  /// selection, -1 removes it). With `notify` the container hears LBN_SELCHANGE as from a user.
  void Select(int32_t row, bool select, bool notify);
  /// Shows the sort arrow on `column` (none for -1) pointing for `direction` (1 up, -1 down),
  /// greyed while sorting is off, and takes both as the sorting.
  void SetSortColumn(int32_t column, int32_t direction);
  /// Places the columns for the client width, the scroll bar, the header and the list box.
  void UpdateColumns();
  /// Scrolls horizontally (a WM_HSCROLL request: lines of a label height, pages of the client
  /// width, the thumb).
  void Scroll(WPARAM request);
  /// Rows that show (partly) in the list box.
  int32_t GetVisibleRows() const;
  int32_t GetCount() const;
  /// Makes the masked image list of the sort arrows: up, down, and both greyed.
  bool CreateSortImages();

  HWND header;
  HWND listBox;
  int32_t columnCount;
  CZrfArray<ListColumn> columns;
  int32_t sortColumn;     ///< -1: none
  int32_t sortDirection;  ///< 1 ascending, -1 descending
  WNDPROC previousListBoxProc;
  int32_t rowHeight;
  int32_t totalWidth;
  uint8_t columnsFixed;
  uint8_t sortingOff;
  DRAWITEMSTRUCT* painting;  ///< the row being drawn, while the owner draws it
  uint8_t ownerDraw;
  int32_t scrollPosition;
  HIMAGELIST sortImages;
  uint8_t multiSelect;
  uint8_t focused;
  uint32_t rowBackground;  ///< even rows: P6 and P2 blended half and half
  uint8_t ownsRows;        ///< OnDestroy frees the rows' data with free()
};

/// The container's and the list box's window procedures.
LRESULT CALLBACK ListContainerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListBoxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
