// Palette derivation. Every derived colour is AdjustColorHsl of a base colour with a saturation
// and a lightness change; the factors below make the colour scheme and are kept exactly, since
// users pick their custom colours against what they produce.
#include "framework/style/ui_palette.h"

#include "framework/base/color_hsl.h"

namespace {

// A(k, s, l): saturation x (1 + s), lightness x (1 + l).
uint32_t Adjust(uint32_t color, double saturationChange, double lightnessChange) {
  return AdjustColorHsl(color, 0, lightnessChange, saturationChange);
}

uint32_t Channel(uint32_t color, int shift) { return (color >> shift) & 0xFF; }

struct Captions {
  uint32_t active = 0;
  uint32_t inactive = 0;
  uint32_t highlight = 0;
  uint32_t menuText = 0;
  uint32_t highlightText = 0;
  uint32_t activeGradient = 0;
  uint32_t inactiveGradient = 0;
  bool gradients = false;
};

// Theme colours first; the system's when there is no theme or it gives a black caption.
Captions ReadCaptions(const PaletteInputs& in) {
  Captions c;
  if (in.themed) {
    const uint32_t* t = in.themeColors;
    c = {t[sys_color::kActiveCaption],
         t[sys_color::kInactiveCaption],
         t[sys_color::kHighlight],
         t[sys_color::kMenuText],
         t[sys_color::kHighlightText],
         t[sys_color::kGradientActiveCaption],
         t[sys_color::kGradientInactiveCaption],
         true};
  }
  if (c.active == 0) {
    const uint32_t* s = in.sysColors;
    c = Captions{};
    c.gradients = in.gradientCaptions;
    c.active = s[sys_color::kActiveCaption];
    c.inactive = s[sys_color::kInactiveCaption];
    c.highlight = s[sys_color::kHighlight];
    c.menuText = s[sys_color::kMenuText];
    c.highlightText = s[sys_color::kHighlightText];
    if (c.gradients) {
      c.activeGradient = s[sys_color::kGradientActiveCaption];
      c.inactiveGradient = s[sys_color::kGradientInactiveCaption];
    }
  }
  if (c.gradients) {
    c.active = BlendColor(0.4f, c.active, c.activeGradient);
    c.inactive = BlendColor(0.6f, c.inactive, c.inactiveGradient);
  }
  return c;
}

// Rows that are the same in every scheme. Requires: p[0] is already set.
void FillCommonRows(const PaletteInputs& in, const SchemeColors& sc, uint32_t (&p)[kPaletteSize]) {
  const uint32_t* gs = in.sysColors;
  static constexpr double kCaptionSaturation[8] = {-0.2, -0.1, -0.0, -0.1, -0.3, -0.2, -0.1, -0.2};
  p[4] = sc.text;
  p[5] = sc.highlightText;
  p[6] = gs[sys_color::kWindow];
  p[7] = p[8] = p[9] = 0;
  for (int i = 0; i < 8; ++i) {
    p[10 + i] = Adjust(sc.activeCaption, kCaptionSaturation[i], 0.2);
    p[18 + i] = Adjust(sc.inactiveCaption, kCaptionSaturation[i], -0.2);
  }
  p[46] = sc.focus;
  p[47] = gs[sys_color::kWindow];
  p[48] = gs[sys_color::kHighlightText];
  p[49] = gs[sys_color::kMenuText];
  p[50] = gs[sys_color::kGrayText];
  static constexpr double kFaceSaturation[3] = {-0.2, -0.05, 0.05};
  for (int i = 0; i < 3; ++i) p[54 + i] = Adjust(p[0], kFaceSaturation[i], -0.3);
  p[57] = gs[sys_color::kBtnFace];
  p[58] = Adjust(sc.focus, 0.7, -0.2);
}

void FillSchemeNone(const PaletteInputs& in, uint32_t (&p)[kPaletteSize]) {
  const uint32_t* gs = in.sysColors;
  p[0] = gs[sys_color::kBtnFace];
  p[1] = gs[sys_color::k3dLight];
  p[2] = gs[sys_color::kBtnHighlight];
  p[3] = gs[sys_color::kBtnShadow];
  p[26] = p[29] = p[31] = p[40] = p[3];
  p[27] = p[28] = p[32] = p[39] = p[2];
  p[30] = p[33] = p[34] = p[35] = p[36] = p[37] = p[0];
  p[38] = gs[sys_color::kMenu] == p[33] ? gs[sys_color::kBtnHighlight] : gs[sys_color::kMenu];
  p[41] = p[42] = BlendColor(0.75f, gs[sys_color::kActiveCaption], p[0]);
  p[43] = p[44] = BlendColor(0.85f, gs[sys_color::kActiveCaption], p[0]);
  p[45] = gs[sys_color::kActiveCaption];
  p[51] = gs[sys_color::kBtnFace];
  p[52] = gs[sys_color::kBtnHighlight];
  p[53] = gs[sys_color::kBtnShadow];
}

void FillSchemeColored(double r, const SchemeColors& sc, uint32_t (&p)[kPaletteSize]) {
  const uint32_t b = sc.base;
  const uint32_t f = sc.focus;
  p[0] = Adjust(b, r + 0.2, -0.3);
  p[1] = Adjust(b, r + 0.33, -0.1);
  p[3] = Adjust(b, r - 0.25, -0.8);
  p[2] = p[28] = p[32] = p[39] = p[1];
  p[29] = p[31] = p[40] = p[3];
  p[26] = Adjust(b, r - 0.6, -0.1);
  p[27] = Adjust(b, r + 0.35, -0.1);
  p[30] = p[35] = p[0];
  p[33] = p[36] = Adjust(b, r + 0.3, 0);
  p[34] = p[37] = Adjust(b, 0, 0);
  p[38] = Adjust(b, r + 0.4, -0.25);
  p[41] = Adjust(f, r + 0.3, 0);
  p[42] = Adjust(f, 0, 0);
  p[43] = Adjust(f, r + 0.4, 0);
  p[44] = Adjust(f, r + 0.2, 0);
  p[45] = Adjust(b, r - 0.5, -0.5);
  p[51] = Adjust(b, r + 0.35, -0.4);
  p[52] = Adjust(p[51], r + 0.4, -0.2);
  p[53] = Adjust(p[51], r - 0.2, -0.6);
}

}  // namespace

uint32_t BlendColor(float x, uint32_t a, uint32_t b) {
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int ca = static_cast<int>(Channel(a, shift));
    const int cb = static_cast<int>(Channel(b, shift));
    // Both ends lie in 0-255 and x is a fraction, so the value stays in 0-255; the clamp only
    // guards callers that pass x outside 0-1.
    int v = static_cast<int>(static_cast<float>(ca) + static_cast<float>(cb - ca) * x);
    v = v < 0 ? 0 : (v > 255 ? 255 : v);
    result |= static_cast<uint32_t>(v) << shift;
  }
  return result;
}

uint8_t ResolveColorScheme(uint8_t storedScheme, bool themed) {
  if (storedScheme <= 2) return storedScheme;
  return themed ? 1 : 0;
}

void BuildPaletteColors(const PaletteInputs& inputs, uint8_t* colorScheme, SchemeColors* scheme,
                        uint32_t (&palette)[kPaletteSize]) {
  const Captions captions = ReadCaptions(inputs);
  *colorScheme = ResolveColorScheme(*colorScheme, inputs.themed);

  SchemeColors sc{};
  sc.activeCaption = captions.active;
  sc.inactiveCaption = captions.inactive;
  sc.systemHighlight = captions.highlight;
  sc.systemMenuText = captions.menuText;
  sc.systemHighlightText = captions.highlightText;
  double r = 0;
  if (*colorScheme == 2) {
    sc.base = inputs.customColors[0];
    sc.focus = inputs.customColors[2];
    sc.text = inputs.customColors[3];
    sc.highlightText = inputs.customColors[4];
  } else {
    const uint32_t saturation = (RgbToHsl(captions.active) >> 16) & 0xFF;
    r = 0.5137254901960784 - saturation / 255.0;
    sc.base = Adjust(captions.active, r + 0.4, -0.25);
    sc.focus = captions.highlight;
    sc.text = captions.menuText;
    sc.highlightText = captions.highlightText;
  }

  if (*colorScheme == 0) {
    FillSchemeNone(inputs, palette);
  } else {
    FillSchemeColored(r, sc, palette);
  }
  FillCommonRows(inputs, sc, palette);
  *scheme = sc;
}
