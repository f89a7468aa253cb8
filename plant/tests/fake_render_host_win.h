// Test support: a RenderHost that records what the renderer asked of the plant program.
#pragma once

#include <vector>

#include "plant/render_host_win.h"

namespace plant::testing {

class FakeRenderHost : public RenderHost {
 public:
  HWND PlantWindow() override { return nullptr; }
  const std::atomic<int32_t>& WorkerCommand() override { return command; }
  std::atomic<uint8_t>& RenderPending() override { return pending; }
  bool IsRenderAllowed() override {
    ++allowedCalls;
    if (redrawWhileAllowing) command = 1;
    return allowed;
  }
  bool IsHeldBack() override { return heldBackChecks > 0 && heldBackChecks-- > 0; }
  void PublishFrame(const RECT& rect, double aspectRatio) override {
    frames.push_back(rect);
    aspect = aspectRatio;
  }
  void UpdateHook(const RECT& area) override { updates.push_back(area); }

  std::atomic<int32_t> command{0};
  std::atomic<uint8_t> pending{1};
  bool allowed = true;
  int allowedCalls = 0;
  bool redrawWhileAllowing = false;  // a request arrives while a finished picture waits
  int heldBackChecks = 0;            // hand-over checks that find the hand-over held back again
  std::vector<RECT> frames;
  std::vector<RECT> updates;
  double aspect = 0;
};

}  // namespace plant::testing
