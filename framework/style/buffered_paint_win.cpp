// Double buffering of an item's paint: the paint goes into a memory bitmap that is copied to the
// window's DC in one step, so the item never shows half drawn.
#include "framework/style/ui_style_win.h"

void CUIStyle::BeginBuffer(BufferedPaint* paint, HDC* dc, int32_t width, int32_t height) {
  *paint = BufferedPaint{};
  paint->width = width;
  paint->height = height;
  paint->callerDc = *dc;
  paint->previousWindow = bufferWindow;
  bufferWindow = WindowFromDC(*dc);
  HDC memory = CreateCompatibleDC(*dc);
  if (memory == nullptr) return;
  HBITMAP bitmap = CreateCompatibleBitmap(*dc, width > 0 ? width : 1, height > 0 ? height : 1);
  if (bitmap == nullptr) {
    // Without its bitmap the memory DC would swallow the paint: paint unbuffered instead.
    DeleteDC(memory);
    return;
  }
  paint->memoryDc = memory;
  paint->bitmap = bitmap;
  paint->previousBitmap = SelectObject(memory, bitmap);
  *dc = memory;
}

void CUIStyle::EndBuffer(BufferedPaint* paint) {
  bufferWindow = paint->previousWindow;
  if (paint->memoryDc == nullptr) return;
  BitBlt(paint->callerDc, 0, 0, paint->width, paint->height, paint->memoryDc, 0, 0, SRCCOPY);
  SelectObject(paint->memoryDc, paint->previousBitmap);
  DeleteDC(paint->memoryDc);
  DeleteObject(paint->bitmap);
  paint->memoryDc = nullptr;
  paint->bitmap = nullptr;
}
