// What the renderer needs from the plant program around it: the worker's hand-off words, the
// permission to hand a picture over, the desktop-draw library's repaint and the shared block.
// The plant program implements it; tests and tools supply their own.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace plant {

class RenderHost {
 public:
  virtual ~RenderHost() = default;
  /// The plant window whose DC the picture is made compatible with; null means the screen.
  [[nodiscard]] virtual HWND PlantWindow() = 0;
  /// The worker command word: 0 while the worker may go on, anything else stops a render.
  [[nodiscard]] virtual const std::atomic<int32_t>& WorkerCommand() = 0;
  /// Set by every worker request; cleared by a render that was handed over.
  [[nodiscard]] virtual std::atomic<uint8_t>& RenderPending() = 0;
  /// Whether a finished picture may be handed over now (the screen size allows it). May wait, outside
  /// every lock, while the plant program holds hand-overs back (a drag of the plant's frame).
  [[nodiscard]] virtual bool IsRenderAllowed() = 0;
  /// Called under the picture's lock just before the exchange: true when hand-overs were held back
  /// again after IsRenderAllowed let this one through; RenderPlant then asks IsRenderAllowed again.
  [[nodiscard]] virtual bool IsHeldBack() = 0;
  /// Called inside the hand-over, under the picture's lock: when the shared block's registered
  /// window is the plant window, store rect as its frame and aspectRatio beside it.
  virtual void PublishFrame(const RECT& rect, double aspectRatio) = 0;
  /// Asks the desktop-draw library to repaint area (desktop-area pixels); called after the lock.
  virtual void UpdateHook(const RECT& area) = 0;
};

}  // namespace plant
