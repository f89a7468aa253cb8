// A dock bay: the hidden child window along one edge of a framework window's client area where
// bars would dock. No bar exists in this program, so a bay is only made and destroyed with its
// window and always keeps a thickness of 0.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int32_t kBaySideTop = 0;
constexpr int32_t kBaySideBottom = 1;
constexpr int32_t kBaySideLeft = 2;
constexpr int32_t kBaySideRight = 3;

class CDockBay {
 public:
  CDockBay() = default;
  /// Destroys the bay window.
  ~CDockBay();
  CDockBay(const CDockBay&) = delete;
  CDockBay& operator=(const CDockBay&) = delete;

  /// Makes the bay window of `side` for the framework window of `windowIndex` (which must
  /// exist). 0 or ZRF_ERR_CREATE.
  [[nodiscard]] int32_t Create(int32_t side, uint16_t windowIndex);

  HWND hwnd = nullptr;
  uint16_t bayId = 0;  ///< side + window index * 256
  uint16_t windowIndex = 0;
  int32_t side = 0;
  int32_t vertical = 0;  ///< 1 for the left and right bays
  int32_t grip = -1;     ///< -1 never a size grip; 0 none now; 1 shown
};
