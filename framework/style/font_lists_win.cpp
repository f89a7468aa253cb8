// GDI fonts for the font lists, measured in a shared memory DC.
#include "framework/style/font_lists_win.h"

#include <cstring>

#include "framework/base/scoped_handles_win.h"
#include "framework/ui/dpi_functions_win.h"

namespace {

constexpr UINT kMeasureFlags = DT_NOPREFIX | DT_CALCRECT | DT_NOCLIP;

}  // namespace

SIZE MeasureTextInDc(HDC dc, HFONT font, const char* text) {
  ScopedSelect select(dc, font);
  RECT rect{};
  DrawTextA(dc, text, -1, &rect, kMeasureFlags);
  return SIZE{rect.right, rect.bottom};
}

void* GdiFontFactory::CreateFont(const FontRequest& request) {
  LOGFONTA font{};
  font.lfHeight = request.height;
  font.lfEscapement = request.escapement;
  font.lfOrientation = request.orientation;
  font.lfWeight = request.weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = static_cast<BYTE>(request.pitchAndFamily);
  // A LOGFONT face holds 31 characters; the lists keep the whole name.
  size_t length = std::strlen(request.face);
  if (length > LF_FACESIZE - 1) length = LF_FACESIZE - 1;
  std::memcpy(font.lfFaceName, request.face, length);
  return CreateFontIndirectA(&font);
}

void GdiFontFactory::Measure(void* font, int32_t* textHeight, int32_t* spaceWidth) {
  std::lock_guard<std::mutex> lock(dcMutex_);
  *textHeight = 0;
  *spaceWidth = 0;
  if (dc_ == nullptr) return;
  *textHeight = MeasureTextInDc(dc_, static_cast<HFONT>(font), "Ag").cy;
  *spaceWidth = MeasureTextInDc(dc_, static_cast<HFONT>(font), " ").cx;
}

void GdiFontFactory::DeleteFont(void* font) { DeleteObject(static_cast<HFONT>(font)); }

int32_t GdiFontFactory::DesktopDpi() { return DpiForWindow(GetDesktopWindow()); }
