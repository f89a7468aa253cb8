// Test support: a DrawSink that keeps the exact list of primitives it was handed.
#pragma once

#include <vector>

#include "plant/render_core.h"

namespace plant::testing {

struct Primitive {
  enum Kind { Fill, Edge, Pixel } kind;
  std::vector<ScreenPoint> points;
  uint32_t colour;
};

class RecordingSink : public DrawSink {
 public:
  void FillPolygon(const ScreenPoint* points, uint32_t count, uint32_t colour) override {
    primitives.push_back({Primitive::Fill, std::vector<ScreenPoint>(points, points + count), colour});
  }
  void DrawEdge(ScreenPoint from, ScreenPoint to, uint32_t colour) override {
    primitives.push_back({Primitive::Edge, {from, to}, colour});
  }
  void DrawPixel(ScreenPoint at, uint32_t colour) override {
    primitives.push_back({Primitive::Pixel, {at}, colour});
  }
  std::vector<Primitive> primitives;
};

}  // namespace plant::testing

namespace plant {
inline bool operator==(ScreenPoint a, ScreenPoint b) { return a.x == b.x && a.y == b.y; }
}  // namespace plant
