// The plant window's arithmetic on the plant's frame: adopting a moved or resized frame, the size
// limits it reports, the Options page's move and grow requests, following a display change, and
// the small answers to the desktop-draw library (aspect ratio, hit point, identify). Platform-free;
// the plant window carries the results out. No result is ever NaN or infinite: a flat or empty
// rectangle or a zero screen size keeps the old values rather than dividing by zero.
#pragma once

#include <cstdint>

#include "hooklib/shared_block.h"
#include "plant/plant_record.h"
#include "plant/plant_state.h"

namespace plantapp {

/// The record fields a frame change rewrites.
struct PlantPlacement {
  double sizeFactor;
  double anchorX;  ///< fraction of the screen width
  double anchorY;  ///< fraction of the screen height
};

/// Reads and writes the placement fields of a plant record.
[[nodiscard]] PlantPlacement PlacementOf(const plant::PlantRecord& record);
void StorePlacement(const PlantPlacement& placement, plant::PlantRecord* record);

/// The outcome of adopting a new frame.
struct FrameAdoption {
  PlantPlacement placement;
  /// The height changed: the picture is stretched to the frame and a render is asked for.
  bool heightChanged;
};

/// Adopts frame (the library's active frame) in place of rect (the plant rectangle) on a screen of
/// screenWidth x screenHeight: the size factor scales by the new height / the old height, and the
/// anchor keeps its relative place inside the frame. A flat or empty old or new rectangle scales by
/// nothing (the anchor only moves with the frame); a zero screen size, or any non-finite result,
/// keeps the old value of that field.
[[nodiscard]] FrameAdoption AdoptFrame(const PlantPlacement& placement, const plant::PixelRect& rect,
                                       const plant::PixelRect& frame, int32_t screenWidth, int32_t screenHeight);

/// The record's limits in pixels: widths in units of 1024 pixels, heights in units of 768.
struct SizeLimits {
  double minWidth;
  double maxWidth;
  double minHeight;
  double maxHeight;
};
[[nodiscard]] SizeLimits LimitsOf(const plant::PlantRecord& record);

/// GetLimit's answer for lParam kind (ostrel::LimitKind): the limit truncated to whole pixels
/// (saturated; NaN gives 0), and 0 for a kind other than 1 to 4.
[[nodiscard]] int32_t FrameLimit(const SizeLimits& limits, intptr_t kind);

/// Request bits of the Options page's position buttons (lParam of PlantRefresh with wParam 4).
inline constexpr uint32_t kCentreFrame = 0;  ///< the whole lParam: centre at the natural size
inline constexpr uint32_t kMoveLeft = 0x1;
inline constexpr uint32_t kMoveRight = 0x2;
inline constexpr uint32_t kMoveUp = 0x4;
inline constexpr uint32_t kMoveDown = 0x8;
inline constexpr uint32_t kGrowFrame = 0x10;
inline constexpr uint32_t kShrinkFrame = 0x20;

/// The active frame after an Options-page request. Centring places the plant at its natural size
/// (the rectangle's size / the size factor) in the middle of the screen; the moves go by a 50th of
/// the screen width, in the order left, right, up, down; growing and shrinking change each side by
/// half a move across and by as much down as keeps the natural aspect, and only within the limits.
/// A plant with no natural width (flat, or a size factor that is not positive) grows along its
/// frame's own aspect, or only across when the frame is flat too. Coordinates saturate at the
/// 32-bit range.
[[nodiscard]] plant::PixelRect ApplyOptionsPageRequest(uint32_t request, const plant::PixelRect& frame,
                                                       const plant::PixelRect& rect, double sizeFactor,
                                                       int32_t screenWidth, int32_t screenHeight,
                                                       const SizeLimits& limits);

/// What a display change does to the plant.
struct DisplayChange {
  /// The rectangle as fractions of the old screen size (the record's rectLeft .. rectBottom).
  double rectLeft;
  double rectTop;
  double rectRight;
  double rectBottom;
  /// The new plant rectangle: the fractions of the new screen size, truncated.
  plant::PixelRect rect;
  /// Pixels per plant unit on the new screen: its height x the record's pixelScale.
  double pixelsPerUnit;
};

/// Follows a change of the screen from oldWidth x oldHeight to newWidth x newHeight: the plant
/// keeps its place and size relative to the screen, so its stretched picture matches the new
/// screen at once. An old size that is not positive keeps rect and takes the fractions of the new
/// size; a new size that is not positive keeps rect and the record's fractions as given.
[[nodiscard]] DisplayChange FollowDisplayChange(const plant::PixelRect& rect, const plant::PlantRecord& record,
                                                int32_t oldWidth, int32_t oldHeight, int32_t newWidth,
                                                int32_t newHeight);

/// The aspect ratio the library keeps while resizing: height / width, divided in single precision;
/// 1 for a flat or empty rectangle.
[[nodiscard]] double FrameAspectRatio(const plant::PixelRect& rect);

/// The picture pixel a HitTest lParam points at: x in the low word and y in the high word, both
/// unsigned 16-bit list-view coordinates, made relative to the plant rectangle.
struct PicturePoint {
  int32_t x;
  int32_t y;
};
[[nodiscard]] PicturePoint HitTestPoint(uintptr_t lParam, const plant::PixelRect& rect);

/// Identify's question: whether privatePath and the library's checkedName (256 bytes, not
/// necessarily terminated) name the same plant file: equal over at most 256 characters without
/// regard to ASCII letter case.
[[nodiscard]] bool IsSamePlantPath(const char* privatePath, const char (&checkedName)[sizeof(ostrel::OstrelSharedMem::checkedName)]);

}  // namespace plantapp
