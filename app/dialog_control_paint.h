// What the plant dialog's self-drawn controls paint: the rectangles the level bars, the light
// indicator, the colour swatches and the health bar fill in their client areas, and their colours
// as COLORREF values (red in the low byte). Platform-free; the controls' procedures paint them.
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"
#include "plant/plant_record.h"

namespace plantapp {

/// Colours of the level bars.
inline constexpr uint32_t kWaterBarColour = 0xC80000;       ///< RGB(0, 0, 200)
inline constexpr uint32_t kFertiliserBarColour = 0x283C78;  ///< RGB(120, 60, 40)

/// A level bar's parts for level (0 to 1; below 0, or no number, shows as 0, above 1 as 1).
struct LevelBarParts {
  /// The part the static must leave alone: left up to one pixel past trunc(width x level).
  ZrfRect kept;
  /// The part filled in the bar's colour: the kept part without its top row, so a bar at level 0
  /// still shows a one-pixel column.
  ZrfRect fill;
};
[[nodiscard]] LevelBarParts LevelBarPartsFor(const ZrfRect& client, double level);

/// The patch the light indicator and the colour swatches fill: the client area less the two-pixel
/// etched frame the control draws on each side.
[[nodiscard]] ZrfRect PatchRect(const ZrfRect& client);

/// The light indicator's grey for light (0 to 1): g = trunc(fourth root of light x 255) as
/// RGB(g, g, g). A light below 0, or no number, is dark; one above 1 as bright as 1.
[[nodiscard]] uint32_t LightGrey(double light);

/// A stored colour (weight, blue, green, red) as RGB(red, green, blue).
[[nodiscard]] uint32_t SwatchColour(const plant::StoredColour& colour);

/// The health bar's colour for percent: above 70 green, 30 or below red, between them yellow.
[[nodiscard]] uint32_t HealthColour(int32_t percent);

/// The health bar's coloured part for percent (kept within 0 and 100): from the left up to
/// percent x width / 100; the rest of the client area shows the button face.
[[nodiscard]] ZrfRect HealthFill(const ZrfRect& client, int32_t percent);

}  // namespace plantapp
