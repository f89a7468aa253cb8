// A render host for programs that render a plant outside the plant program: no plant window, no
// desktop to tell, rendering always allowed. Used by the render program and the render benchmark.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "plant/render_gdi_win.h"

namespace tools {

/// 2025-01-01 00:00 UTC: the fixed clock these programs load plants at, so a seed always grows
/// the same plant.
constexpr int64_t kFixedClock = 1735689600;

class StandaloneRenderHost : public plant::RenderHost {
 public:
  HWND PlantWindow() override { return nullptr; }
  const std::atomic<int32_t>& WorkerCommand() override { return command_; }
  std::atomic<uint8_t>& RenderPending() override { return pending_; }
  bool IsRenderAllowed() override { return true; }
  bool IsHeldBack() override { return false; }
  void PublishFrame(const RECT&, double) override {}
  void UpdateHook(const RECT&) override {}

 private:
  std::atomic<int32_t> command_{0};
  std::atomic<uint8_t> pending_{1};
};

}  // namespace tools
