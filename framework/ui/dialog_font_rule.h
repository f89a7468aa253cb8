// Which check boxes of a dialog get the bold dialog font: a plain check box that stands just
// right of a label-like control, in line with it. Free of the window system.
#pragma once

#include <cstdint>

#include "framework/ui/ui_geometry.h"

namespace zrf {

/// True when a plain check box (screen rectangle `checkBox`) qualifies beside the control found
/// one pixel left of it (screen rectangle `neighbour`, window style `neighbourStyle`): the
/// neighbour's style has any of its three lowest bits set, the top edges differ by at most half
/// the check box's height, and the check box's left edge lies from 0 to 3 check-box heights
/// right of the neighbour's left edge.
bool CheckBoxQualifiesForDialogFont(const Rect& checkBox, const Rect& neighbour, uint32_t neighbourStyle);

/// A qualifying check box's new width: 1.2 times the old one, truncated.
inline int32_t WidenedCheckBoxWidth(int32_t width) { return static_cast<int32_t>(width * 6LL / 5); }

}  // namespace zrf
