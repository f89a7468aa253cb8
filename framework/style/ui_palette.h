// The UI style's palette: 59 colours derived from the system's colours (or the theme's) and the
// user's colour scheme, and the colour blend they use. Platform-free: the Win32 half gathers the
// system colours and the theme colours and hands them in.
#pragma once

#include <cstdint>

/// System colour indexes, the numbers GetSysColor and GetThemeSysColor take.
namespace sys_color {
constexpr int32_t kActiveCaption = 2;
constexpr int32_t kInactiveCaption = 3;
constexpr int32_t kMenu = 4;
constexpr int32_t kWindow = 5;
constexpr int32_t kMenuText = 7;
constexpr int32_t kHighlight = 13;
constexpr int32_t kHighlightText = 14;
constexpr int32_t kBtnFace = 15;
constexpr int32_t kBtnShadow = 16;
constexpr int32_t kGrayText = 17;
constexpr int32_t kBtnHighlight = 20;
constexpr int32_t k3dLight = 22;
constexpr int32_t kGradientActiveCaption = 27;
constexpr int32_t kGradientInactiveCaption = 28;
constexpr int32_t kCount = 31;
}  // namespace sys_color

constexpr int32_t kPaletteSize = 59;
constexpr int32_t kCustomColorCount = 5;

/// Everything the palette is derived from.
struct PaletteInputs {
  uint32_t sysColors[sys_color::kCount];     ///< GetSysColor of each index (COLORREF)
  bool themed;                               ///< a visual theme is active and was opened
  uint32_t themeColors[sys_color::kCount];   ///< GetThemeSysColor of each index; read when themed
  bool gradientCaptions;                     ///< SPI_GETGRADIENTCAPTIONS; read when not themed
  uint32_t customColors[kCustomColorCount];  ///< the settings' custom colours 0-4 (1 is not read)
};

/// The colours of the scheme in use, kept by the application object.
struct SchemeColors {
  uint32_t base;
  uint32_t focus;
  uint32_t text;
  uint32_t highlightText;
  uint32_t activeCaption;
  uint32_t inactiveCaption;
  uint32_t systemHighlight;
  uint32_t systemMenuText;
  uint32_t systemHighlightText;
};

/// Per channel trunc(a + (b - a) * x), evaluated in single precision; COLORREF in and out.
uint32_t BlendColor(float x, uint32_t a, uint32_t b);

/// The colour scheme that `storedScheme` stands for: 0 none, 1 default and 2 custom stay; 255
/// (automatic) and any other value, which only a damaged settings file can hold, become 1 when a
/// theme is active and 0 otherwise.
uint8_t ResolveColorScheme(uint8_t storedScheme, bool themed);

/// Fills `scheme` and all 59 palette entries from `inputs` for the colour scheme `*colorScheme`,
/// which is first resolved with ResolveColorScheme and written back.
void BuildPaletteColors(const PaletteInputs& inputs, uint8_t* colorScheme, SchemeColors* scheme,
                        uint32_t (&palette)[kPaletteSize]);

/// Colour selectors of the arrow, glyph and text primitives: the low two bits choose P3, P4
/// (text), P5 (highlighted text) or the COLORREF held in bits 8-31.
constexpr uint32_t kSelectorShadow = 0;
constexpr uint32_t kSelectorText = 1;
constexpr uint32_t kSelectorHighlight = 2;
constexpr uint32_t kSelectorOwnColor = 3;

/// The selector that stands for `colorRef` itself.
constexpr uint32_t OwnColorSelector(uint32_t colorRef) {
  return ((colorRef & 0xFFFFFF) << 8) | kSelectorOwnColor;
}

/// The COLORREF a selector stands for.
constexpr uint32_t SelectorColor(uint32_t selector, const uint32_t (&palette)[kPaletteSize]) {
  switch (selector & 3) {
    case kSelectorText:
      return palette[4];
    case kSelectorHighlight:
      return palette[5];
    case kSelectorOwnColor:
      return selector >> 8;
    default:
      return palette[3];
  }
}
