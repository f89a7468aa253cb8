// How a link label fits its text into its control: the font height it draws with, where the text
// goes and where its focus rectangle goes. Free of the window system.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/ui/ui_geometry.h"

namespace zrf {

/// Where a link's text lines up across its control, as the static's style says.
enum class LinkAlign { Left, Centre, Right };

/// The font a link draws with.
struct LinkFont {
  int32_t height = 0;  ///< pixels
  bool fits = false;   ///< false: even the smallest font does not fit, and the text needs an ellipsis
};

/// The largest font height from `largest` down to `smallest` (pixels; `smallest` <= `largest`)
/// at which the text fits `room`: `measure` gives the text's extent in the font of that height.
/// With `widthByEllipsis` (a path link, shortened in the middle when too wide) only the height
/// must fit. When no height fits: the smallest, and `fits` is false.
LinkFont ChooseLinkFont(int32_t largest, int32_t smallest, Size room, bool widthByEllipsis,
                        const std::function<Size(int32_t height)>& measure);

/// The room a link's text may take in its control's client rectangle: its full height, and its
/// width less `gap` pixels on either side, where the focus rectangle's sides go. A glyph's ink may
/// reach two pixels past its advance (a slash's does), so the gap is more than the line's pixel.
Rect LinkTextRoom(const Rect& client, int32_t gap);

/// Where text of extent `text` is drawn in `client`: within LinkTextRoom (a wider or higher text
/// takes the whole room and is shortened there), aligned across as `align` says and centred
/// vertically.
Rect LinkTextBox(const Rect& client, int32_t gap, Size text, LinkAlign align);

/// The focus rectangle around the text box `box`: `gap` pixels out on every side, within
/// `client`. The text's cell has empty space above its letters, so a top edge kept to the
/// client's first row still passes over them.
Rect LinkFocusRect(const Rect& client, int32_t gap, const Rect& box);

}  // namespace zrf
