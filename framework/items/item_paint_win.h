// Internal to the UI items; callers outside framework/items must not include it.
// The pieces of an item's standard painting, which the kinds put together in their own Paint:
// the buffer, the frame, the icon, the texts and the check glyph.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/app/command_table.h"
#include "framework/items/item_draw_state.h"
#include "framework/style/ui_style_win.h"

class CUIItem;

/// One paint of an item, from BeginItemPaint to EndItemPaint.
struct ItemPaint {
  CUIItem* item;
  HDC dc;  ///< the buffer's DC, or the window's when no buffer could be made
  RECT client;
  CommandRecord command;  ///< a copy; all zero when the command is no longer registered
  ItemDrawState state;
  int32_t dpi;
  int32_t u;  ///< the UI font's space width
  bool inPopup;
  BufferedPaint buffer;
};

/// Starts the paint into a buffer one pixel larger than `client` and takes the draw state.
void BeginItemPaint(ItemPaint* paint, CUIItem* item, HDC dc, const RECT& client);
/// Copies the buffer to the window.
void EndItemPaint(ItemPaint* paint);

/// The frame over the client area: corners rounded unless the style is 0.
void PaintItemFrame(ItemPaint& paint, int32_t frameStyle, int32_t iconColumn);
/// The icon column the standard painting gives the frame: label height + 2u in a popup, else 0.
int32_t StandardIconColumn(const ItemPaint& paint);
/// The command's icon in iconRect, when the item has one.
void PaintItemIcon(ItemPaint& paint);
/// The label (piece 0, or 4 with kItemAlternativeLabel) in `rect` in the selector's colour.
void PaintItemLabel(ItemPaint& paint, uint32_t selector, const RECT& rect);
/// The label's text: piece 0, or 4 with kItemAlternativeLabel; "" when there is none.
const char* ItemLabelText(const ItemPaint& paint);
/// The shortcut (piece 1) right-aligned in shortcutRect.
void PaintItemShortcut(ItemPaint& paint, uint32_t selector);
/// In a popup, the check glyph of a checked item without an icon, in the square at the left.
void PaintCheckGlyph(ItemPaint& paint);

/// What most kinds paint first: the frame, the parts laid out with `offset`, the command's icon
/// (when `withIcon`), the label and the shortcut in the draw state's colour.
void PaintFrameAndTexts(ItemPaint& paint, int32_t frameStyle, int32_t iconColumn, int32_t offset,
                        bool withIcon);

/// The standard painting of a button: frame by the draw state, icon, label, shortcut, check.
void PaintStandardItem(CUIItem* item, HDC dc, const RECT& client);
