// A static item's label: an optional "#n" prefix (the icon of command n before the text) and an
// optional "@n" prefix (a progress bar of n percent after it), and where the bar goes.
// Platform-free.
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"

struct StaticLabel {
  uint16_t iconCommand;  ///< 0: no icon (none given, 0 given, or a number above 0xFFFF)
  bool hasPrefixIcon;    ///< a "#n" prefix was read (the text moves right only when iconCommand != 0)
  bool hasProgress;      ///< a "@n" prefix with digits was read
  int32_t progress;      ///< 0-100
  const char* text;      ///< what is left to show; points into the label
};

/// Reads the prefixes of `label` (not null): "#" with a decimal number, then "@" with a decimal
/// number (clamped to 0-100). A sign without digits is no prefix and stays in the text. Numbers
/// of any length are read without overflow.
StaticLabel ParseStaticLabel(const char* label);

/// The progress bar after a text measured `textWidth` x `textHeight` that starts `shift` pixels
/// into `label`: from x = label left + shift + text width + 2u, ten text heights wide, text
/// height - 2 high, centred on the label plus one pixel.
ZrfRect ProgressBarRect(const ZrfRect& label, int32_t shift, int32_t textWidth, int32_t textHeight,
                        int32_t u);

/// How much of a bar's inside of `innerWidth` is filled at `progress` percent.
int32_t ProgressFillWidth(int32_t innerWidth, int32_t progress);
