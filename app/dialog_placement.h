// Where the plant dialog opens: its top-left corner on the centre of the plant's frame, moved to
// the other side of the centre when it would leave the desktop. Platform-free; the dialog converts
// the result to screen coordinates and moves itself there.
#pragma once

#include <cstdint>

#include "framework/base/zrf_rect.h"

namespace plantapp {

/// The dialog's top-left corner in desktop list-view client coordinates, for a dialog of
/// dialogWidth x dialogHeight beside frame (the plant's frame) on a list view whose client area is
/// screen, with the dialog now at current. Across: at the frame's centre; past the right edge, its
/// right side on the centre instead (or on the frame's left edge when the centre itself lies off
/// the screen), and it stays where it is when neither fits; a frame whose centre lies left of the
/// screen puts it at the frame's right edge. Down likewise. The corner is then kept inside the
/// screen (not left of or above 0, not past the right or bottom edge). Sums are taken in 64 bits
/// and the result saturates at the 32-bit range.
[[nodiscard]] ZrfPoint PlaceDialogAtFrame(const ZrfRect& frame, const ZrfRect& screen, int32_t dialogWidth,
                                          int32_t dialogHeight, ZrfPoint current);

}  // namespace plantapp
