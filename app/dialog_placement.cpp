// Where the plant dialog opens.
#include "app/dialog_placement.h"

#include <algorithm>
#include <limits>

namespace plantapp {
namespace {

int32_t Saturate(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// One axis of the placement: near and far are the frame's edges, low and high the screen's,
// size the dialog's extent and current its present coordinate.
int64_t PlaceOnAxis(int64_t near, int64_t far, int64_t low, int64_t high, int64_t size, int64_t current) {
  const int64_t centre = (near + far) / 2;
  int64_t place = centre;
  if (centre < low) {
    place = far;
  } else if (centre + size > high) {
    if (high < centre) {
      place = near - size;
    } else {
      place = centre - size < low ? current : centre - size;
    }
  }
  place = std::max<int64_t>(place, 0);
  if (place + size > high) place = high - size;
  return place;
}

}  // namespace

ZrfPoint PlaceDialogAtFrame(const ZrfRect& frame, const ZrfRect& screen, int32_t dialogWidth,
                            int32_t dialogHeight, ZrfPoint current) {
  const int64_t x = PlaceOnAxis(frame.left, frame.right, screen.left, screen.right, dialogWidth, current.x);
  const int64_t y = PlaceOnAxis(frame.top, frame.bottom, screen.top, screen.bottom, dialogHeight, current.y);
  return ZrfPoint{Saturate(x), Saturate(y)};
}

}  // namespace plantapp
