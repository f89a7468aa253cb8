// The GDI half of the plant renderer: the drawing sink that carries the core's primitives out on
// a 32-bit DIB section, and RenderPlant, which builds a new picture and hands it over.
#pragma once

#include <windows.h>

#include <memory>

#include "plant/plant_picture_win.h"
#include "plant/plant_state.h"
#include "plant/render_core.h"
#include "plant/render_host_win.h"

namespace plant {

/// Draws into a memory DC with the stock DC pen and brush, whose colours change per primitive, so
/// no GDI object is made per face.
class DibCanvas : public DrawSink {
 public:
  /// dc must have the stock DC_PEN and DC_BRUSH selected; maxPoints bounds every polygon.
  DibCanvas(HDC dc, uint32_t maxPoints);
  [[nodiscard]] bool IsReady() const { return points_ != nullptr; }
  void FillPolygon(const ScreenPoint* points, uint32_t count, uint32_t colour) override;
  void DrawEdge(ScreenPoint from, ScreenPoint to, uint32_t colour) override;
  void DrawPixel(ScreenPoint at, uint32_t colour) override;

 private:
  void UseColour(uint32_t colour);
  HDC dc_;
  uint32_t maxPoints_;
  std::unique_ptr<POINT[]> points_;
  uint32_t colour_ = 0xFFFFFFFF;  // no COLORREF has a high byte of 0xFF
};

/// Extra results of RenderPlant beyond the core's.
enum class RenderOutcome {
  HandedOver = 0,  ///< the new picture is shown and RenderPending is clear
  Aborted,         ///< the worker command stopped it
  Refused,         ///< IsRenderAllowed said no
  NoCanvas,        ///< the DC or the DIB section could not be made
  TooLarge,        ///< the fitted picture is larger than kMaxPictureSide
  NoMemory,        ///< a working buffer could not be allocated
};

/// Fixed text of an outcome, for logs.
[[nodiscard]] const char* RenderOutcomeText(RenderOutcome outcome);

/// Renders plant into a new picture and, when host allows it and the worker command is still 0 at
/// the exchange (nothing made the picture stale while it waited), swaps it into picture, publishes
/// the frame, repaints the union of the old and new rectangles and clears RenderPending. Any
/// other outcome leaves picture, the shared block and RenderPending untouched. Writes the fitted
/// sizeFactor into the record. Runs on the worker thread. Requires: the plant passed the plant
/// validator and its node frames are current.
RenderOutcome RenderPlant(Plant& plant, PlantPicture& picture, RenderHost& host);

}  // namespace plant
