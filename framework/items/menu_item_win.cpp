// CMenu as an item: its life, its arrow part and its painting (plain, open, split). The popup it
// owns is menu_popup_win.cpp's.
#include "framework/items/menu_item_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/item_paint_win.h"
#include "framework/items/menu_entries.h"
#include "framework/items/split_item_style.h"

namespace {

constexpr int32_t kTrailSpaces = 6;
constexpr uint32_t kLeftCorners = kCornerTopLeft | kCornerBottomLeft;
constexpr uint32_t kRightCorners = kCornerTopRight | kCornerBottomRight;

uint32_t CornersFor(int32_t style, uint32_t corners) { return style != kFrameNone ? corners : 0; }

void DrawFrame(ItemPaint& paint, const RECT& rect, int32_t style, uint32_t corners, int32_t iconColumn) {
  gApp.style.DrawItemFrame(paint.dc, rect, style, CornersFor(style, corners), iconColumn, kDefaultColorIndex,
                           kDefaultColorIndex, kDefaultColorIndex);
}

}  // namespace

CMenu::CMenu()
    : openSubmenu(nullptr), isOpen(0), cursorOnArrow(0), idList(nullptr), popupWindow(nullptr) {
  kind = kItemMenu;
}

CMenu::~CMenu() {
  OnDestroy();
  children.Clear();
}

void CMenu::OnMeasure(const CommandRecord& command, int32_t) {
  if ((command.flags & kItemVariantA) != 0 || InPopup()) trailSize = {kTrailSpaces * SpaceWidth(), 0};
}

void CMenu::OnDestroy() {
  if (isOpen != 0 || children.count > 0) ClosePopup();
  ForgetInParent();
  if (popupWindow != nullptr) {
    HWND window = popupWindow;
    popupWindow = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
}

// The parent window keeps the menu whose popup was last opened from it, and the next mouse move
// over one of its items closes that menu: a menu that goes away must not stay recorded there.
void CMenu::ForgetInParent() {
  HWND parent = hwnd != nullptr ? GetParent(hwnd) : nullptr;
  if (parent == nullptr) return;
  if (SendMessageA(parent, zrf::WM_ZRF_GETPOPUP, 0, 0) != reinterpret_cast<LRESULT>(this)) return;
  SendMessageA(parent, zrf::WM_ZRF_SETPOPUP, 0, 0);
}

bool CMenu::IsCursorOnArrow() const {
  if (hwnd == nullptr) return false;
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(hwnd, &cursor);
  RECT client;
  GetClientRect(hwnd, &client);
  return cursor.x >= client.right - trailSize.cx;
}

void CMenu::OnCursorMoved() {
  if ((CommandFlags() & kItemVariantA) == 0) return;
  const uint8_t onArrow = IsCursorOnArrow() ? 1 : 0;
  if (onArrow == cursorOnArrow) return;
  cursorOnArrow = onArrow;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void CMenu::Paint(HDC dc, const RECT& client) {
  ItemPaint paint;
  BeginItemPaint(&paint, this, dc, client);
  const uint32_t commandFlags = paint.command.flags;
  const bool split = (commandFlags & kItemVariantA) != 0;
  if (isOpen != 0) paint.state.textSelector = kSelectorHighlight;
  int32_t offset = paint.state.pressOffset;
  RECT arrow{client.right - trailSize.cx, client.top, client.right, client.bottom};
  if (split) {
    const SplitItemStyles styles = SplitItemStylesOf(commandFlags, isOpen != 0, cursorOnArrow != 0);
    const RECT main{client.left, client.top, client.right - trailSize.cx + 1, client.bottom};
    DrawFrame(paint, main, styles.main, kLeftCorners, styles.checkedColumn ? paint.item->labelSize.cy + 2 * paint.u : 0);
    DrawFrame(paint, arrow, styles.arrow, kRightCorners, 0);
    offset = styles.pressOffset;
    if (styles.arrowShifted) OffsetRect(&arrow, 1, 1);
  } else {
    int32_t style = paint.state.frameStyle;
    if (isOpen != 0 && style != kFrameHot) style = kFramePressed;
    PaintItemFrame(paint, style, StandardIconColumn(paint));
  }
  LayoutParts(client, offset, paint.state.centre, paint.inPopup);
  PaintItemIcon(paint);
  PaintItemLabel(paint, paint.state.textSelector, labelRect);
  PaintItemShortcut(paint, paint.state.textSelector);
  PaintCheckGlyph(paint);
  if (trailSize.cx > 0 && (split || paint.inPopup)) {
    gApp.style.DrawArrow(paint.dc, paint.state.textSelector, paint.inPopup ? kArrowRight : kArrowDown, arrow);
  }
  EndItemPaint(&paint);
}

int32_t CMenu::OnCreate(const CommandRecord& command, HWND parent, HWND, CUIItem*) {
  idList = AsksOwnerForIds(command.data) ? nullptr : reinterpret_cast<const uint16_t*>(command.data);
  if (!RegisterMenuPopupClass()) return ZRF_ERR_CREATE;
  popupWindow = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kMenuPopupClass, "",
                                WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0, parent, nullptr,
                                FrameworkModule(), nullptr);
  if (popupWindow == nullptr) return ZRF_ERR_CREATE;
  SetWindowLongPtrA(popupWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return ZRF_OK;
}
