// CSeparator; see separator_item_win.h.
#include "framework/items/separator_item_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/items/item_flags.h"
#include "framework/items/item_paint_win.h"

namespace {

constexpr int32_t kThinSize = 3;
constexpr int32_t kLineSize = 6;

}  // namespace

void CSeparator::Measure(const CommandRecord& command, int32_t) {
  flags = command.flags;
  width = height = (flags & kItemVariantA) != 0 ? kThinSize : kLineSize;
}

void CSeparator::Paint(HDC dc, const RECT& client) {
  ItemPaint paint;
  BeginItemPaint(&paint, this, dc, client);
  PaintItemFrame(paint, kFrameNone, paint.inPopup ? 1 : 0);
  if ((flags & kItemVariantA) == 0) {
    const LONG w = client.right - client.left;
    const LONG h = client.bottom - client.top;
    const RECT line = w > h ? RECT{2, h / 2 - 1, w - 2, h / 2 + 1} : RECT{w / 2 - 1, 2, w / 2 + 1, h - 2};
    gApp.style.DrawSeparator(paint.dc, line);
  }
  EndItemPaint(&paint);
}
