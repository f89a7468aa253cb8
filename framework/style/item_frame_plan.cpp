// The nine item-frame styles; see item_frame_plan.h.
#include "framework/style/item_frame_plan.h"

namespace {

bool IsPaletteIndex(int32_t index) { return index >= 0 && index < kPaletteSize; }

uint32_t EntryOr(const uint32_t (&palette)[kPaletteSize], int32_t index, int32_t fallback) {
  return palette[IsPaletteIndex(index) ? index : fallback];
}

}  // namespace

ItemFramePlan PlanItemFrame(int32_t style, const ZrfRect& rect, int32_t width, int32_t colorIndex,
                            int32_t gradientFrom, int32_t gradientTo,
                            const uint32_t (&palette)[kPaletteSize]) {
  const bool chosen = IsPaletteIndex(colorIndex);
  const uint32_t frameColor = chosen ? palette[colorIndex] : palette[45];
  const uint32_t fillColor = chosen ? palette[colorIndex] : palette[51];
  const uint32_t edgeColor = chosen ? palette[51] : palette[52];

  ItemFramePlan plan{};
  plan.rect = rect;
  const ZrfRect inside = DeflateZrfRect(rect, 1);
  auto framed = [&](uint32_t top, uint32_t bottom) {
    plan.frame = true;
    plan.frameColor = frameColor;
    plan.gradient = true;
    plan.gradientTop = top;
    plan.gradientBottom = bottom;
  };
  auto filled = [&](const ZrfRect& area) {
    plan.fill = true;
    plan.fillRect = area;
    plan.fillColor = fillColor;
  };
  auto bevelled = [&](uint32_t topLeft, uint32_t bottomRight) {
    plan.bevel = true;
    plan.bevelTopLeft = topLeft;
    plan.bevelBottomRight = bottomRight;
  };
  auto cutToWidth = [&] {
    plan.parentBackground = true;
    plan.rect.right = rect.left + width;
  };

  switch (style) {
    case kFrameNone:
      plan.parentBackground = true;
      break;
    case kFrameHot:
      framed(palette[41], palette[42]);
      break;
    case kFramePressed:
      framed(palette[43], palette[44]);
      break;
    case kFrameSunken:
      filled(inside);
      bevelled(palette[53], edgeColor);
      break;
    case kFrameRaised:
      filled(inside);
      bevelled(edgeColor, palette[53]);
      break;
    case kFrameFilled:
      filled(rect);
      break;
    case kFrameChecked:
      if (width > 0) cutToWidth();
      framed(palette[43], palette[44]);
      break;
    case kFrameCheckedOff:
      if (width > 0) {
        cutToWidth();
      } else {
        filled(inside);
      }
      bevelled(palette[3], palette[2]);
      break;
    case kFrameGradient:
      framed(EntryOr(palette, gradientFrom, 43), EntryOr(palette, gradientTo, 44));
      break;
    default:
      break;
  }
  return plan;
}
