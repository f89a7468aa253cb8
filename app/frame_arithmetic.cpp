// The plant window's frame arithmetic; see frame_arithmetic.h.
#include "app/frame_arithmetic.h"

#include <cmath>

#include "plant/saturate.h"

namespace plantapp {
namespace {

using plant::ClampToI32;
using plant::PixelRect;
using plant::SaturateToI32;

int64_t WidthOf(const PixelRect& rect) { return int64_t{rect.right} - rect.left; }
int64_t HeightOf(const PixelRect& rect) { return int64_t{rect.bottom} - rect.top; }

// value when it is finite, else fallback: nothing NaN or infinite reaches the plant file.
double FiniteOr(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

// A frame in 64-bit coordinates, so that moving and growing a frame near the end of the 32-bit
// range cannot overflow before the result is saturated.
struct WideRect {
  int64_t left;
  int64_t top;
  int64_t right;
  int64_t bottom;
};

PixelRect Narrow(const WideRect& r) {
  return PixelRect{ClampToI32(r.left), ClampToI32(r.top), ClampToI32(r.right), ClampToI32(r.bottom)};
}

void Offset(WideRect* r, int64_t dx, int64_t dy) {
  r->left += dx;
  r->top += dy;
  r->right += dx;
  r->bottom += dy;
}

void Inflate(WideRect* r, int64_t dx, int64_t dy) {
  r->left -= dx;
  r->top -= dy;
  r->right += dx;
  r->bottom += dy;
}

}  // namespace

PlantPlacement PlacementOf(const plant::PlantRecord& record) {
  return PlantPlacement{record.sizeFactor, record.anchorX, record.anchorY};
}

void StorePlacement(const PlantPlacement& placement, plant::PlantRecord* record) {
  record->sizeFactor = placement.sizeFactor;
  record->anchorX = placement.anchorX;
  record->anchorY = placement.anchorY;
}

FrameAdoption AdoptFrame(const PlantPlacement& placement, const PixelRect& rect, const PixelRect& frame,
                         int32_t screenWidth, int32_t screenHeight) {
  const double oldHeight = static_cast<double>(HeightOf(rect));
  const double newHeight = static_cast<double>(HeightOf(frame));
  // A flat or empty rectangle, which a plant file can hold, would divide by zero or scale to zero.
  const bool scales = oldHeight > 0 && newHeight > 0;
  auto scaled = [&](double value) { return scales ? value * newHeight / oldHeight : value; };

  FrameAdoption adoption{placement, newHeight != oldHeight};
  PlantPlacement& out = adoption.placement;
  if (scales) {
    out.sizeFactor = FiniteOr(newHeight * placement.sizeFactor / oldHeight, placement.sizeFactor);
  }
  if (screenWidth > 0) {
    const double width = screenWidth;
    out.anchorX = FiniteOr((scaled(width * placement.anchorX - rect.left) + frame.left) / width, placement.anchorX);
  }
  if (screenHeight > 0) {
    const double height = screenHeight;
    out.anchorY = FiniteOr((scaled(height * placement.anchorY - rect.top) + frame.top) / height, placement.anchorY);
  }
  return adoption;
}

SizeLimits LimitsOf(const plant::PlantRecord& record) {
  return SizeLimits{record.minWidth * 1024, record.maxWidth * 1024, record.minHeight * 768,
                     record.maxHeight * 768};
}

int32_t FrameLimit(const SizeLimits& limits, intptr_t kind) {
  switch (kind) {
    case static_cast<intptr_t>(ostrel::LimitKind::MinWidth): return SaturateToI32(limits.minWidth);
    case static_cast<intptr_t>(ostrel::LimitKind::MaxWidth): return SaturateToI32(limits.maxWidth);
    case static_cast<intptr_t>(ostrel::LimitKind::MinHeight): return SaturateToI32(limits.minHeight);
    case static_cast<intptr_t>(ostrel::LimitKind::MaxHeight): return SaturateToI32(limits.maxHeight);
    default: return 0;
  }
}

PixelRect ApplyOptionsPageRequest(uint32_t request, const PixelRect& frame, const PixelRect& rect, double sizeFactor,
                                  int32_t screenWidth, int32_t screenHeight, const SizeLimits& limits) {
  // The natural size is the picture's size at a size factor of 1.
  const bool hasFactor = sizeFactor > 0 && std::isfinite(sizeFactor);
  const int64_t naturalWidth =
      hasFactor ? SaturateToI32(static_cast<double>(WidthOf(rect)) / sizeFactor) : WidthOf(rect);
  const int64_t naturalHeight =
      hasFactor ? SaturateToI32(static_cast<double>(HeightOf(rect)) / sizeFactor) : HeightOf(rect);
  const int64_t width = screenWidth;
  const int64_t height = screenHeight;
  if (request == kCentreFrame) {
    return Narrow(WideRect{(width - naturalWidth) / 2, (height - naturalHeight) / 2, (width + naturalWidth) / 2,
                           (height + naturalHeight) / 2});
  }
  WideRect out{frame.left, frame.top, frame.right, frame.bottom};
  // Every move uses the same amount, taken from the screen width, as the buttons always did.
  const int64_t move = width / 50;
  const int64_t step = move / 2;
  if (request & kMoveLeft) Offset(&out, -move, 0);
  if (request & kMoveRight) Offset(&out, move, 0);
  if (request & kMoveUp) Offset(&out, 0, -move);
  if (request & kMoveDown) Offset(&out, 0, move);
  if ((request & (kGrowFrame | kShrinkFrame)) == 0) {
    return Narrow(out);
  }
  // A flat seedling has no natural width; its frame's own shape, if any, decides the height step.
  int64_t dy = 0;
  const int64_t frameWidth = out.right - out.left;
  const int64_t frameHeight = out.bottom - out.top;
  if (naturalWidth > 0) {
    dy = step * naturalHeight / naturalWidth;
  } else if (frameWidth > 0) {
    dy = step * frameHeight / frameWidth;
  }
  if ((request & kGrowFrame) && limits.maxWidth >= static_cast<double>(out.right - out.left + step) &&
      limits.maxHeight >= static_cast<double>(out.bottom - out.top + dy)) {
    Inflate(&out, step, dy);
  }
  if ((request & kShrinkFrame) && static_cast<double>(out.right - out.left - step) >= limits.minWidth &&
      static_cast<double>(out.bottom - out.top - dy) >= limits.minHeight) {
    Inflate(&out, -step, -dy);
  }
  return Narrow(out);
}

DisplayChange FollowDisplayChange(const PixelRect& rect, const plant::PlantRecord& record, int32_t oldWidth,
                                  int32_t oldHeight, int32_t newWidth, int32_t newHeight) {
  const bool oldKnown = oldWidth > 0 && oldHeight > 0;
  const bool newKnown = newWidth > 0 && newHeight > 0;
  DisplayChange change{record.rectLeft, record.rectTop, record.rectRight, record.rectBottom, rect,
                       (newKnown ? newHeight : oldHeight) * record.pixelScale};
  if (!oldKnown && !newKnown) {
    return change;
  }
  // Fractions of the old size make the stretched picture follow the new screen at once; without
  // an old size the rectangle stays and only its fractions are renewed.
  const double width = oldKnown ? oldWidth : newWidth;
  const double height = oldKnown ? oldHeight : newHeight;
  change.rectLeft = rect.left / width;
  change.rectTop = rect.top / height;
  change.rectRight = rect.right / width;
  change.rectBottom = rect.bottom / height;
  if (oldKnown && newKnown) {
    change.rect = PixelRect{SaturateToI32(newWidth * change.rectLeft), SaturateToI32(newHeight * change.rectTop),
                            SaturateToI32(newWidth * change.rectRight), SaturateToI32(newHeight * change.rectBottom)};
  }
  return change;
}

double FrameAspectRatio(const PixelRect& rect) {
  const int64_t width = WidthOf(rect);
  const int64_t height = HeightOf(rect);
  if (width <= 0 || height <= 0) {
    return 1.0;
  }
  return static_cast<double>(static_cast<float>(height) / static_cast<float>(width));
}

PicturePoint HitTestPoint(uintptr_t lParam, const PixelRect& rect) {
  const int64_t x = static_cast<int64_t>(lParam & 0xFFFF);
  const int64_t y = static_cast<int64_t>((lParam >> 16) & 0xFFFF);
  return PicturePoint{ClampToI32(x - rect.left), ClampToI32(y - rect.top)};
}

bool IsSamePlantPath(const char* privatePath, const char (&checkedName)[sizeof(ostrel::OstrelSharedMem::checkedName)]) {
  for (size_t i = 0; i < sizeof checkedName; ++i) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (fold(privatePath[i]) != fold(checkedName[i])) {
      return false;
    }
    if (privatePath[i] == '\0') {
      return true;
    }
  }
  return true;
}

}  // namespace plantapp
