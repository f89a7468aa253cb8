// Picture rescale; see picture_rescale_win.h.
#include "plant/picture_rescale_win.h"

#include <mutex>

#include "plant/render_core.h"

namespace plant {

bool RescalePicture(PlantPicture& picture, HWND window, const RECT& newRect) {
  PictureObjects fresh;
  if (!CreateDibPicture(window, newRect, &fresh)) {
    return false;
  }
  {
    const std::lock_guard<std::mutex> hold(picture.Lock());
    const PictureObjects& shown = picture.Objects();
    if (shown.dc.Get() != nullptr) {
      SetStretchBltMode(fresh.dc.Get(), COLORONCOLOR);
      SetBkColor(fresh.dc.Get(), RGB(0, 0, 0));
      StretchBlt(fresh.dc.Get(), 0, 0, fresh.Width(), fresh.Height(), shown.dc.Get(), 0, 0, shown.Width(),
                 shown.Height(), SRCCOPY);
      // The stretch carries whatever alpha it likes; the blend needs the key at once.
      GdiFlush();
      ApplyAlphaKey(fresh.bits, static_cast<size_t>(fresh.Width()) * static_cast<size_t>(fresh.Height()));
    }
    picture.Swap(&fresh);
  }
  return true;
}

}  // namespace plant
