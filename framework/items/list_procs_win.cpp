// The window procedures of a list item: the container (header notifications, owner drawing,
// sorting clicks, scrolling, its frame) and the list box (focus, keys, slow clicks, double and
// right clicks). Both tell the owner through WM_ZRF_COMMAND with a list code in the high word.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/items/item_flags.h"
#include "framework/items/list_item_win.h"
#include "framework/items/list_sort.h"
#include "framework/ui/window_styles.h"
#include "framework/windows/zrf_window_win.h"

namespace {

// Shared by all lists, as only one header drag or slow click can be under way at a time.
bool gColumnDrag = false;
bool gSlowClickPending = false;
bool gClickOnSelected = false;

constexpr int32_t kFrameFocused = 46;
constexpr int32_t kFrameUnfocused = 50;

CList* ListOfContainer(HWND window) { return static_cast<CList*>(ItemFromWindow(window)); }

CList* ListOfListBox(HWND window) { return reinterpret_cast<CList*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

LRESULT Tell(const CList& list, uint32_t code, LPARAM lParam) {
  return SendMessageA(list.owner, zrf::WM_ZRF_COMMAND, (static_cast<WPARAM>(code) << 16) | list.commandId, lParam);
}

bool BarSizesLocked(const CList& list) {
  const CZrfWindow* frame = gApp.OwnerWindow(list.hwnd);
  return frame != nullptr && (frame->flags & zrf::kWindowBarSizesLocked) != 0;
}

void SetColumnWidth(CList& list, int32_t column, int32_t width) {
  if (column < 0 || column >= list.columns.count) return;
  RECT client;
  GetClientRect(list.hwnd, &client);
  list.columns.GetAt(column)->fraction = ColumnFraction(width, client.right);
  list.UpdateColumns();
}

// A header notification; true with *result when it was answered.
bool OnHeaderNotify(CList& list, const NMHDR& note, LRESULT* result) {
  const auto& header = reinterpret_cast<const NMHEADERA&>(note);
  switch (note.code) {
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
      if (list.columnsFixed != 0 || BarSizesLocked(list)) {
        *result = TRUE;
        return true;
      }
      gColumnDrag = true;
      *result = FALSE;
      return true;
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
      gColumnDrag = false;
      return false;
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW: {
      const bool changed = note.code == HDN_ITEMCHANGEDA || note.code == HDN_ITEMCHANGEDW;
      if (!gColumnDrag || header.pitem == nullptr || (header.pitem->mask & HDI_WIDTH) == 0) return false;
      SetColumnWidth(list, header.iItem, header.pitem->cxy);
      if (changed) Tell(list, zrf::ZRF_LN_COLUMNWIDTH, header.iItem);
      return false;
    }
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW: {
      ListSortState state{list.sortColumn, list.sortDirection, list.sortingOff != 0};
      if (!ClickSortHeader(&state, header.iItem)) return false;
      list.SetSortColumn(state.column, state.direction);
      Tell(list, zrf::ZRF_LN_SORT, state.column);
      return false;
    }
    case NM_RCLICK: {
      HDHITTESTINFO hit{};
      GetCursorPos(&hit.pt);
      ScreenToClient(list.header, &hit.pt);
      const auto column = static_cast<int32_t>(SendMessageA(list.header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
      ListSortState state{list.sortColumn, list.sortDirection, list.sortingOff != 0};
      if (!RightClickSortHeader(&state, column)) return false;
      list.sortingOff = state.off ? 1 : 0;
      list.SetSortColumn(list.sortColumn, list.sortDirection);
      *result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

void DrawRow(CList& list, DRAWITEMSTRUCT& draw) {
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  const ListRowColors colors = ListRowColorsOf(static_cast<int32_t>(draw.itemID), selected, list.focused != 0);
  const uint32_t* palette = gApp.style.palette;
  const uint32_t background = colors.background == kListRowBlend ? list.rowBackground : palette[colors.background];
  gApp.style.FillRect(draw.hDC, draw.rcItem, background);
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, palette[colors.text]);
  HGDIOBJ previous = SelectObject(draw.hDC, gApp.style.FontForDpi(kFontUI, list.Dpi()));
  list.painting = &draw;
  SendMessageA(list.owner, WM_DRAWITEM, list.commandId, reinterpret_cast<LPARAM>(&draw));
  list.painting = nullptr;
  SelectObject(draw.hDC, previous);
  if ((draw.itemState & ODS_FOCUS) != 0) DrawFocusRect(draw.hDC, &draw.rcItem);
}

void PaintFrame(const CList& list, HWND window) {
  const bool active = IsWindowEnabled(window) && list.focused != 0;
  HDC dc = GetWindowDC(window);
  if (dc == nullptr) return;
  RECT r;
  GetWindowRect(window, &r);
  OffsetRect(&r, -r.left, -r.top);
  gApp.style.FrameRect(dc, r, gApp.style.palette[active ? kFrameFocused : kFrameUnfocused]);
  ReleaseDC(window, dc);
}

void OnContainerSize(CList& list) {
  if (gColumnDrag) return;
  RECT client;
  GetClientRect(list.hwnd, &client);
  for (int32_t i = 0; i < list.columns.count; ++i) {
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = static_cast<int>(client.right * list.columns.GetAt(i)->fraction);
    SendMessageA(list.header, HDM_SETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  list.UpdateColumns();
}

// The row under a client point of the list box, or -1.
int32_t RowAt(HWND listBox, LPARAM point) {
  const LRESULT hit = SendMessageA(listBox, LB_ITEMFROMPOINT, 0, point);
  if (HIWORD(hit) != 0) return -1;
  return LOWORD(hit);
}

// The row a click on which counts as a click on the selection: the current row, or the first
// selected one of an extended selection.
int32_t SelectedRow(const CList& list) {
  if (list.multiSelect == 0) return static_cast<int32_t>(SendMessageA(list.listBox, LB_GETCURSEL, 0, 0));
  int selected = -1;
  if (SendMessageA(list.listBox, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&selected)) < 1) return -1;
  return selected;
}

bool OnListKey(CList& list, WPARAM key) {
  if (Tell(list, zrf::ZRF_LN_KEYDOWN, static_cast<LPARAM>(key)) == 1) return true;
  if (key == 'A' && GetKeyState(VK_CONTROL) < 0) {
    // All rows of an extended selection; a single selection is removed instead.
    list.Select(-1, list.multiSelect != 0, true);
    return true;
  }
  return false;
}

}  // namespace

LRESULT CALLBACK ListContainerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CList* list = ListOfContainer(window);
  if (list == nullptr) return UIItemWndProc(window, message, wParam, lParam);
  switch (message) {
    case WM_SIZE:
      OnContainerSize(*list);
      break;
    case WM_SETFOCUS:
      if (list->listBox != nullptr) SetFocus(list->listBox);
      return 0;
    case WM_ENABLE:
      EnableWindow(list->header, static_cast<BOOL>(wParam));
      EnableWindow(list->listBox, static_cast<BOOL>(wParam));
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE);
      return 0;
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (list->ownerDraw == 0 || draw->CtlID != list->commandId || draw->itemID == static_cast<UINT>(-1)) break;
      DrawRow(*list, *draw);
      return TRUE;
    }
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(list->rowHeight);
      return TRUE;
    case WM_COMPAREITEM:
      if (list->sortColumn < 0) return -1;
      return SendMessageA(list->owner, WM_COMPAREITEM, wParam, lParam);
    case WM_NOTIFY: {
      const auto* note = reinterpret_cast<const NMHDR*>(lParam);
      LRESULT result = 0;
      if (note != nullptr && note->hwndFrom == list->header && OnHeaderNotify(*list, *note, &result)) return result;
      break;
    }
    case WM_NCPAINT:
      if ((list->CommandFlags() & kItemVariantA) == 0) break;
      DefWindowProcA(window, message, wParam, lParam);
      PaintFrame(*list, window);
      return 0;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == list->listBox && HIWORD(wParam) == LBN_SELCHANGE) {
        Tell(*list, zrf::ZRF_LN_SELCHANGE, 0);
        return 0;
      }
      break;
    case WM_HSCROLL:
      list->Scroll(wParam);
      return 0;
    default:
      break;
  }
  return UIItemWndProc(window, message, wParam, lParam);
}

LRESULT CALLBACK ListBoxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CList* list = ListOfListBox(window);
  if (list == nullptr || list->previousListBoxProc == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  const WNDPROC previous = list->previousListBoxProc;
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      list->focused = message == WM_SETFOCUS ? 1 : 0;
      RedrawWindow(list->hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_ERASEBKGND:
      if (list->GetCount() == 0) {
        RECT client;
        GetClientRect(window, &client);
        const int background = IsWindowEnabled(list->hwnd) ? COLOR_WINDOW : COLOR_BTNFACE;
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(background));
        return 1;
      }
      break;
    case WM_KEYDOWN:
      if (OnListKey(*list, wParam)) return 0;
      break;
    case WM_LBUTTONDOWN: {
      const int32_t row = RowAt(window, lParam);
      gClickOnSelected = row >= 0 && row == SelectedRow(*list) &&
                         SendMessageA(window, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0;
      const LRESULT result = CallWindowProcA(previous, window, message, wParam, lParam);
      Tell(*list, zrf::ZRF_LN_LBUTTONDOWN, lParam);
      return result;
    }
    case WM_LBUTTONUP: {
      const LRESULT result = CallWindowProcA(previous, window, message, wParam, lParam);
      if (gClickOnSelected) {
        gClickOnSelected = false;
        gSlowClickPending = true;
        SetTimer(window, kSlowClickTimer, gApp.doubleClickTime, nullptr);
      }
      return result;
    }
    case WM_TIMER:
      if (wParam != kSlowClickTimer) break;
      KillTimer(window, kSlowClickTimer);
      if (gSlowClickPending) {
        gSlowClickPending = false;
        Tell(*list, zrf::ZRF_LN_SLOWCLICK, 0);
      }
      return 0;
    case WM_LBUTTONDBLCLK: {
      KillTimer(window, kSlowClickTimer);
      gSlowClickPending = false;
      gClickOnSelected = false;
      const LRESULT result = CallWindowProcA(previous, window, message, wParam, lParam);
      Tell(*list, zrf::ZRF_LN_DBLCLK, lParam);
      return result;
    }
    case WM_RBUTTONDOWN: {
      const int32_t row = RowAt(window, lParam);
      if (list->multiSelect != 0) list->Select(-1, false, false);
      list->Select(row, row >= 0, true);
      SetFocus(window);
      return 0;
    }
    case WM_RBUTTONUP:
      Tell(*list, zrf::ZRF_LN_RCLICK, lParam);
      return 0;
    default:
      break;
  }
  return CallWindowProcA(previous, window, message, wParam, lParam);
}
