// The standard painting of items; see item_paint_win.h.
#include "framework/items/item_paint_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/items/item_flags.h"
#include "framework/items/ui_item_win.h"

void BeginItemPaint(ItemPaint* paint, CUIItem* item, HDC dc, const RECT& client) {
  paint->item = item;
  paint->client = client;
  paint->command = CommandRecord{};
  (void)gApp.GetCommand(static_cast<uint16_t>(item->commandId), &paint->command);
  paint->inPopup = item->InPopup();
  paint->dpi = item->Dpi();
  paint->u = gApp.style.SpaceWidth(paint->dpi);
  (void)item->GetDrawState(paint->command.flags, &paint->state);
  paint->dc = dc;
  gApp.style.BeginBuffer(&paint->buffer, &paint->dc, client.right - client.left + 1,
                         client.bottom - client.top + 1);
}

void EndItemPaint(ItemPaint* paint) { gApp.style.EndBuffer(&paint->buffer); }

void PaintItemFrame(ItemPaint& paint, int32_t frameStyle, int32_t iconColumn) {
  gApp.style.DrawItemFrame(paint.dc, paint.client, frameStyle, frameStyle != kFrameNone ? kAllCorners : 0,
                           iconColumn, kDefaultColorIndex, kDefaultColorIndex, kDefaultColorIndex);
}

int32_t StandardIconColumn(const ItemPaint& paint) {
  return paint.inPopup ? paint.item->labelSize.cy + 2 * paint.u : 0;
}

void PaintItemIcon(ItemPaint& paint) {
  if (paint.item->iconSize.cx <= 0) return;
  (void)gApp.style.DrawCommandIcon(paint.dc, paint.command.iconId, paint.command.flags, paint.item->iconRect);
}

const char* ItemLabelText(const ItemPaint& paint) {
  const int32_t piece =
      (paint.command.flags & kItemAlternativeLabel) != 0 ? kPieceAlternativeLabel : kPieceLabel;
  const char* text = paint.item->GetText(piece);
  return text != nullptr ? text : "";
}

void PaintItemLabel(ItemPaint& paint, uint32_t selector, const RECT& rect) {
  if (paint.item->labelSize.cx <= 0) return;
  const uint32_t alignment = paint.state.centre ? kTextAlignCentre : kTextAlignLeft;
  (void)gApp.style.DrawTextF(paint.dc, paint.dpi, "%s", selector, rect, alignment, paint.state.bold,
                             ItemLabelText(paint));
}

void PaintItemShortcut(ItemPaint& paint, uint32_t selector) {
  if (paint.item->shortcutSize.cx <= 0) return;
  const char* text = paint.item->GetText(kPieceShortcut);
  (void)gApp.style.DrawTextF(paint.dc, paint.dpi, "%s", selector, paint.item->shortcutRect, kTextAlignRight,
                             paint.state.bold, text != nullptr ? text : "");
}

void PaintCheckGlyph(ItemPaint& paint) {
  if (!paint.inPopup || paint.item->iconSize.cx > 0 || (paint.command.flags & kItemChecked) == 0) return;
  const int32_t p = paint.state.pressOffset;
  const RECT square{p, p, p + paint.item->labelSize.cy + 2 * paint.u,
                    p + (paint.client.bottom - paint.client.top)};
  gApp.style.DrawGlyph(paint.dc, kSelectorHighlight, square);
}

void PaintFrameAndTexts(ItemPaint& paint, int32_t frameStyle, int32_t iconColumn, int32_t offset,
                        bool withIcon) {
  PaintItemFrame(paint, frameStyle, iconColumn);
  paint.item->LayoutParts(paint.client, offset, paint.state.centre, paint.inPopup);
  if (withIcon) PaintItemIcon(paint);
  PaintItemLabel(paint, paint.state.textSelector, paint.item->labelRect);
  PaintItemShortcut(paint, paint.state.textSelector);
}

void PaintStandardItem(CUIItem* item, HDC dc, const RECT& client) {
  ItemPaint paint;
  BeginItemPaint(&paint, item, dc, client);
  PaintFrameAndTexts(paint, paint.state.frameStyle, StandardIconColumn(paint), paint.state.pressOffset, true);
  PaintCheckGlyph(paint);
  EndItemPaint(&paint);
}
