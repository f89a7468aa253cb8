// GDI side of the UI style: the memory DC, fonts, system and theme colours, command icons.
#include "framework/style/ui_style_win.h"

#include <cstring>

#include "framework/base/zrf_results.h"
#include "framework/style/icon_win.h"

namespace {

// NONCLIENTMETRICSA without iPaddedBorderWidth: the size every Windows version accepts.
constexpr UINT kNonClientMetricsSize = 344;

// Theme colours through UxTheme, loaded at run time because older systems lack it.
bool ReadThemeColors(uint32_t (&colors)[sys_color::kCount]) {
  HMODULE uxTheme = LoadLibraryA("UxTheme.dll");
  if (uxTheme == nullptr) return false;
  using IsThemeActiveFn = BOOL(WINAPI*)();
  using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
  using GetThemeSysColorFn = COLORREF(WINAPI*)(HANDLE, int);
  using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
  auto isThemeActive =
      reinterpret_cast<IsThemeActiveFn>(reinterpret_cast<void*>(GetProcAddress(uxTheme, "IsThemeActive")));
  auto openThemeData =
      reinterpret_cast<OpenThemeDataFn>(reinterpret_cast<void*>(GetProcAddress(uxTheme, "OpenThemeData")));
  auto getThemeSysColor = reinterpret_cast<GetThemeSysColorFn>(
      reinterpret_cast<void*>(GetProcAddress(uxTheme, "GetThemeSysColor")));
  auto closeThemeData =
      reinterpret_cast<CloseThemeDataFn>(reinterpret_cast<void*>(GetProcAddress(uxTheme, "CloseThemeData")));
  bool themed = false;
  if (isThemeActive && openThemeData && getThemeSysColor && isThemeActive()) {
    HANDLE theme = openThemeData(nullptr, L"WINDOW");
    if (theme != nullptr) {
      for (int index : {sys_color::kActiveCaption, sys_color::kInactiveCaption, sys_color::kHighlight,
                        sys_color::kMenuText, sys_color::kHighlightText, sys_color::kGradientActiveCaption,
                        sys_color::kGradientInactiveCaption}) {
        colors[index] = getThemeSysColor(theme, index);
      }
      themed = true;
      if (closeThemeData) closeThemeData(theme);
    }
  }
  FreeLibrary(uxTheme);
  return themed;
}

}  // namespace

CUIStyle::CUIStyle()
    : drawIconWindow(nullptr),
      module(GetModuleHandleA(nullptr)),
      palette{},
      schemeColors{},
      bufferWindow(nullptr),
      memoryDc(nullptr),
      dibSection(nullptr),
      previousBitmap(nullptr),
      dibBits(nullptr),
      factory_(memoryDc, dcMutex_),
      fonts_(factory_) {}

CUIStyle::~CUIStyle() {
  for (int32_t i = 0; i < icons_.count; ++i) DestroyIcons(icons_.GetAt(i));
  // The fonts are deleted with fonts_ after this body; the DC must no longer hold one of them.
  if (memoryDc != nullptr) {
    if (previousBitmap) SelectObject(memoryDc, previousBitmap);
    SelectObject(memoryDc, GetStockObject(SYSTEM_FONT));
    DeleteDC(memoryDc);
    memoryDc = nullptr;
  }
  if (dibSection) DeleteObject(dibSection);
}

int32_t CUIStyle::Init() {
  {
    std::lock_guard<std::mutex> lock(dcMutex_);
    if (memoryDc == nullptr) {
      HDC screen = GetDC(nullptr);
      memoryDc = CreateCompatibleDC(screen);
      ReleaseDC(nullptr, screen);
    }
    if (memoryDc == nullptr) return 1;
    if (dibSection == nullptr) {
      BITMAPINFO format{};
      format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      format.bmiHeader.biWidth = 16;
      format.bmiHeader.biHeight = -16;
      format.bmiHeader.biPlanes = 1;
      format.bmiHeader.biBitCount = 32;
      format.bmiHeader.biCompression = BI_RGB;
      void* bits = nullptr;
      dibSection = CreateDIBSection(memoryDc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
      if (dibSection == nullptr) return 1;
      dibBits = static_cast<uint32_t*>(bits);
      previousBitmap = static_cast<HBITMAP>(SelectObject(memoryDc, dibSection));
    }
  }
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = kNonClientMetricsSize;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) {
    metrics.lfMessageFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    metrics.lfMenuFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    fonts_.SetSystemFace(metrics.lfMessageFont.lfFaceName[0] == '\0' ? "MS Shell Dlg"
                                                                     : metrics.lfMenuFont.lfFaceName);
  }
  return 0;
}

int32_t CUIStyle::MeasureText(const char* text, int32_t* width, int32_t* height, HFONT font) {
  *width = 0;
  *height = 0;
  if (text == nullptr) return ZRF_ERR_NO_TEXT;
  std::lock_guard<std::mutex> lock(dcMutex_);
  if (memoryDc == nullptr) return ZRF_OK;
  const SIZE size = MeasureTextInDc(memoryDc, font, text);
  *width = size.cx;
  *height = size.cy;
  return ZRF_OK;
}

int32_t CUIStyle::MeasureTextUI(const char* text, int32_t* width, int32_t* height, bool bold, int32_t dpi) {
  return MeasureText(text, width, height, FontForDpi(bold ? kFontUIBold : kFontUI, dpi));
}

int32_t CUIStyle::BuildPalette(SettingsRecord* settings) {
  PaletteInputs inputs{};
  for (int index = 0; index < sys_color::kCount; ++index) inputs.sysColors[index] = GetSysColor(index);
  inputs.themed = ReadThemeColors(inputs.themeColors);
  BOOL gradients = FALSE;
  if (!SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradients, 0)) gradients = FALSE;
  inputs.gradientCaptions = gradients != FALSE;
  std::memcpy(inputs.customColors, settings->customColors, sizeof inputs.customColors);
  BuildPaletteColors(inputs, &settings->colorScheme, &schemeColors, palette);
  return ZRF_OK;
}

void CUIStyle::DestroyIcons(IconEntry* entry) {
  if (entry->normalIcon) DestroyIcon(static_cast<HICON>(entry->normalIcon));
  if (entry->tintedIcon) DestroyIcon(static_cast<HICON>(entry->tintedIcon));
  entry->normalIcon = entry->tintedIcon = nullptr;
}

int32_t CUIStyle::LoadIcon(IconEntry* entry) {
  if (entry->flags == kIconOwnerDrawn) {
    if (entry->sizeReference != nullptr) {
      entry->width = static_cast<uint16_t>(entry->sizeReference[0]);
      entry->height = static_cast<uint16_t>(entry->sizeReference[1]);
    }
    return ZRF_OK;
  }
  DestroyIcons(entry);
  // Loaded without LR_SHARED: the entry owns the icon and destroys it on reload and at the end
  // (a shared icon must never be destroyed).
  HICON icon = static_cast<HICON>(
      LoadImageA(module, MAKEINTRESOURCEA(entry->resourceId), IMAGE_ICON, entry->width, entry->width, 0));
  if (icon == nullptr) return ZRF_ERR_ICON;
  int32_t error = ZRF_OK, width = 0, height = 0;
  HICON tinted = MakeTintedIcon(icon, palette[1], palette[3], &error, &width, &height);
  entry->normalIcon = icon;
  entry->tintedIcon = tinted;
  if (tinted != nullptr) {
    entry->width = static_cast<uint16_t>(width);
    entry->height = static_cast<uint16_t>(height);
  }
  return error;
}

int32_t CUIStyle::ReloadIcons() {
  for (int32_t i = 0; i < icons_.count; ++i) (void)LoadIcon(icons_.GetAt(i));
  return ZRF_OK;
}

int32_t CUIStyle::AddIcon(uint16_t commandId, uint16_t resourceId, const int32_t* sizeReference,
                          uint32_t flags, int32_t size) {
  IconEntry entry{};
  entry.commandId = commandId;
  entry.resourceId = resourceId;
  entry.sizeReference = sizeReference;
  entry.flags = flags;
  entry.width = entry.height = static_cast<uint16_t>(size);
  if (LoadIcon(&entry) == ZRF_ERR_ICON) {
    DestroyIcons(&entry);
    return ZRF_ERR_ICON;
  }
  const int32_t position = icons_.Insert(&entry, IconInsertPosition(icons_, commandId), 1);
  if (position < 0) DestroyIcons(&entry);
  return position;
}
