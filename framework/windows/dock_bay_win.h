// A dock bay: the child window along one edge of a framework window's client area where bars
// dock. It stacks its bars in up to 16 bands (band_layout.h), draws 4-pixel splitters between
// resizable bands and a size grip in the corner, and lets the user drag a band's thickness.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/ui/band_layout.h"
#include "framework/ui/bar_flags.h"

class CDockBay {
 public:
  CDockBay() = default;
  /// Destroys the bay window.
  ~CDockBay();
  CDockBay(const CDockBay&) = delete;
  CDockBay& operator=(const CDockBay&) = delete;

  /// Makes the bay window of `side` for the framework window of `windowIndex` (which must
  /// exist); sides 1 and 3 of a sizable window may show a size grip. 0 or ZRF_ERR_CREATE.
  [[nodiscard]] int32_t Create(int32_t side, uint16_t windowIndex);

  /// Fills `bands` from the shown bars of this bay (their band numbers close up over empty
  /// bands).
  void CollectBands();
  /// The band whose splitter lies under `clientPoint` (null: the cursor), or -1; always -1 when
  /// the framework window is gone or has its bar sizes locked.
  int32_t HitTestSplitter(const POINT* clientPoint) const;
  /// Fills the bay's client area, moved by (-x, -y), with the bays' colour (P35).
  void PaintBackground(HDC dc, int32_t x, int32_t y) const;
  /// Lays the bars out for the bay's length and moves the bay along its edge: the top bay below
  /// (x, y), the bottom bay above it, the left bay right of it, the right bay left of it.
  void Place(int32_t x, int32_t y, int32_t cx, int32_t cy);
  /// Lays the bars out band by band along `length` and returns the bay's thickness.
  int32_t LayoutBars(int32_t length);

  HWND hwnd = nullptr;
  uint16_t bayId = 0;  ///< side + window index * 256
  uint16_t windowIndex = 0;
  int32_t side = 0;
  int32_t vertical = 0;  ///< 1 for the left and right bays
  zrf::BandList bands = {};
  int32_t grip = -1;  ///< -1 never a size grip; 0 none now; 1 shown
  int32_t gripSize = 16;
  int32_t dragBand = -1;  ///< the band whose splitter is being dragged
  int32_t dragStartThickness = 0;
  POINT dragStart{};  ///< the cursor at the press (screen)
  int32_t lastWidth = 0;  ///< the client size at the last WM_SIZE
  int32_t lastHeight = 0;
};
