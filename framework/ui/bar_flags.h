// The sides of a dock bay and the flags of a bar, as the bays, the bars and their placement
// records read them. Platform-free.
#pragma once

#include <cstdint>

constexpr int32_t kBaySideTop = 0;
constexpr int32_t kBaySideBottom = 1;
constexpr int32_t kBaySideLeft = 2;
constexpr int32_t kBaySideRight = 3;
constexpr int32_t kBaySideCount = 4;
constexpr int32_t kBarFloating = -1;  ///< a bar's side while it floats

/// True for the bays along the left and right edges, whose bars stand upright.
constexpr bool IsVerticalSide(int32_t side) { return side == kBaySideLeft || side == kBaySideRight; }
/// True for the bays whose bands grow away from the client area's far edge (bottom and right):
/// their splitters lie at a band's start.
constexpr bool IsFarSide(int32_t side) { return side == kBaySideBottom || side == kBaySideRight; }

/// A bay's id: its side plus the framework window's index times 256.
constexpr uint16_t BayId(int32_t side, uint16_t windowIndex) {
  return static_cast<uint16_t>(side + windowIndex * 256);
}

/// Bar flags.
constexpr uint16_t kBarFarEnd = 0x2;       ///< pushed to the far end of its band
constexpr uint16_t kBarFill = 0x4;         ///< fills the room up to the next bar
constexpr uint16_t kBarResizable = 0x8;    ///< resizable thickness: its band gets a splitter
constexpr uint16_t kBarSystemMenu = 0x10;  ///< floating window with a system menu
constexpr uint16_t kBarShown = 0x20;
constexpr uint16_t kBarFollows = 0x200;  ///< follows the previous bar directly

/// Bands a bay stacks, and the splitter a resizable band carries.
constexpr int32_t kMaxBands = 16;
constexpr int32_t kSplitterSize = 4;
