// The value records a program hands to its value items in the command's data word; the item keeps
// the pointer and writes the new value into the record. Colours are 0xAARRGGBB words.
#pragma once

#include <cstddef>
#include <cstdint>

/// A slider's or brush size's value and its limits.
struct UIValueRange {
  int32_t value;
  int32_t min;
  int32_t max;
};
static_assert(sizeof(UIValueRange) == 12, "three 32-bit words");

/// A colour button's colour and the overlay icon it shows (0: command 0xF16D, else 0xF16C).
struct UIColorValue {
  uint32_t color;
  int32_t variant;
};
static_assert(sizeof(UIColorValue) == 8, "two 32-bit words");

constexpr int32_t kPaletteSwatches = 16;

/// A palette's sixteen swatches, the colour last picked from the screen and the selected swatch
/// (-1: none).
struct UIPaletteValue {
  uint32_t colors[kPaletteSwatches];
  uint32_t picked;
  int32_t selected;
};
static_assert(sizeof(UIPaletteValue) == 72 && offsetof(UIPaletteValue, picked) == 64,
              "sixteen colours, the picked colour, the selection");

/// GetPixel's answer for a point it cannot read.
constexpr uint32_t kInvalidScreenPixel = 0xFFFFFFFF;

/// A screen pixel (COLORREF) as a record colour, opaque: false, with `*color` untouched, for a
/// pixel that could not be read.
bool PickScreenColor(uint32_t pixel, uint32_t* color);

/// Whether `index` names one of the sixteen swatches.
constexpr bool IsSwatchIndex(int32_t index) { return index >= 0 && index < kPaletteSwatches; }
