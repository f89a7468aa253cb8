// GDI drawing of the renderer's primitives and the picture hand-over; see render_gdi_win.h.
#include "plant/render_gdi_win.h"

#include <new>

#include "plant/plant_record.h"

namespace plant {

DibCanvas::DibCanvas(HDC dc, uint32_t maxPoints)
    : dc_(dc), maxPoints_(maxPoints < 2 ? 2 : maxPoints), points_(new (std::nothrow) POINT[maxPoints_]) {}

void DibCanvas::UseColour(uint32_t colour) {
  if (colour != colour_) {
    SetDCBrushColor(dc_, colour);
    SetDCPenColor(dc_, colour);
    colour_ = colour;
  }
}

void DibCanvas::FillPolygon(const ScreenPoint* points, uint32_t count, uint32_t colour) {
  if (count > maxPoints_) {
    return;
  }
  for (uint32_t i = 0; i < count; ++i) {
    points_[i] = POINT{points[i].x, points[i].y};
  }
  UseColour(colour);
  Polygon(dc_, points_.get(), static_cast<int>(count));
}

void DibCanvas::DrawEdge(ScreenPoint from, ScreenPoint to, uint32_t colour) {
  const POINT line[2] = {{from.x, from.y}, {to.x, to.y}};
  UseColour(colour);
  Polygon(dc_, line, 2);
}

void DibCanvas::DrawPixel(ScreenPoint at, uint32_t colour) {
  SetPixel(dc_, at.x, at.y, colour);
}

const char* RenderOutcomeText(RenderOutcome outcome) {
  switch (outcome) {
    case RenderOutcome::HandedOver: return "picture handed over";
    case RenderOutcome::Aborted: return "render aborted by a worker command";
    case RenderOutcome::Refused: return "render not allowed now";
    case RenderOutcome::NoCanvas: return "picture bitmap could not be made";
    case RenderOutcome::TooLarge: return "picture too large";
    case RenderOutcome::NoMemory: return "no memory for the render buffers";
  }
  return "unknown render outcome";
}

namespace {

RenderOutcome FromCore(RenderResult result) {
  switch (result) {
    case RenderResult::Ok: return RenderOutcome::HandedOver;
    case RenderResult::Aborted: return RenderOutcome::Aborted;
    case RenderResult::TooLarge: return RenderOutcome::TooLarge;
    case RenderResult::NoMemory: return RenderOutcome::NoMemory;
  }
  return RenderOutcome::NoMemory;
}

// Draws pass 2 into a fresh picture. Any failure leaves *fresh to be deleted by its owner.
RenderOutcome DrawPicture(PlantRenderer& renderer, const RenderLayout& layout, const Plant& plant, HWND window,
                          PictureObjects* fresh) {
  const RECT rect{layout.rect.left, layout.rect.top, layout.rect.right, layout.rect.bottom};
  if (!CreateDibPicture(window, rect, fresh)) {
    return RenderOutcome::NoCanvas;
  }
  const HDC dc = fresh->dc.Get();
  SelectObject(dc, GetStockObject(DC_PEN));
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SetPolyFillMode(dc, WINDING);
  const int32_t maxVertices = plant.Record().maxShapeVertices;
  DibCanvas canvas(dc, static_cast<uint32_t>(maxVertices > 0 ? maxVertices : 0) + 1);
  if (!canvas.IsReady()) {
    return RenderOutcome::NoMemory;
  }
  const RenderResult drawn = renderer.Draw(layout, canvas);
  if (drawn != RenderResult::Ok) {
    return FromCore(drawn);
  }
  // GDI may batch calls; the pixels must be final before they are keyed.
  GdiFlush();
  ApplyAlphaKey(fresh->bits, static_cast<size_t>(fresh->Width()) * static_cast<size_t>(fresh->Height()));
  return RenderOutcome::HandedOver;
}

}  // namespace

RenderOutcome RenderPlant(Plant& plant, PlantPicture& picture, RenderHost& host) {
  PlantRenderer renderer(plant, &host.WorkerCommand());
  RenderLayout layout{};
  const RenderResult planned = renderer.Plan(&layout);
  if (planned != RenderResult::Ok) {
    return FromCore(planned);
  }
  PictureObjects fresh;
  const RenderOutcome drawn = DrawPicture(renderer, layout, plant, host.PlantWindow(), &fresh);
  if (drawn != RenderOutcome::HandedOver) {
    return drawn;
  }
  const RECT newRect = fresh.rect;
  for (;;) {
    if (!host.IsRenderAllowed()) {
      return RenderOutcome::Refused;
    }
    const std::lock_guard<std::mutex> hold(picture.Lock());
    if (host.IsHeldBack()) {
      continue;
    }
    // The wait for permission may have lasted a whole drag of the frame: a request made meanwhile
    // (a resize adopted) makes this picture stale, and it must not replace the adopted frame.
    if (host.WorkerCommand().load() != 0) {
      return RenderOutcome::Aborted;
    }
    picture.Swap(&fresh);
    const float aspect = static_cast<float>(newRect.bottom - newRect.top) /
                         static_cast<float>(newRect.right - newRect.left);
    host.PublishFrame(newRect, static_cast<double>(aspect));
    break;
  }
  // fresh now holds the replaced picture; it goes only after the exchange, outside the lock.
  RECT area;
  UnionRect(&area, &fresh.rect, &newRect);
  fresh = PictureObjects{};
  host.UpdateHook(area);
  host.RenderPending().store(0);
  return RenderOutcome::HandedOver;
}

}  // namespace plant
