// The plant dialog's working copies: every value its pages edit, filled when the dialog opens and
// written back to the plant record only by OK, together with the rules the pages apply to them
// (the plant's consumption while the dialog is open, a press of an add button, Set Default and a
// chosen colour) and the one rule of Cancel. Platform-free; the dialog takes the plant-data lock
// around every call that reads or writes the record.
#pragma once

#include <cstdint>

#include "app/plant_options.h"
#include "framework/base/zrf_rect.h"
#include "plant/plant_record.h"

namespace plantapp {

/// What OK asks the plant window to redraw (the wParam of the PlantRefresh it posts).
enum RedrawCode : int32_t {
  kRedrawNone = 0,
  kRedrawBrightness = 2,  ///< the brightness changed (the colours may have too)
  kRedrawColours = 3,     ///< a colour changed
};

struct DialogValues {
  PlantOptions options;
  /// The library's active frame when the dialog opened, and the record's placement with it:
  /// Cancel puts the frame back only when the placement has moved since (see IsPlantMoved).
  ZrfRect savedFrame{};
  double savedSizeFactor = 0.0;
  double savedAnchorX = 0.0;
  double savedAnchorY = 0.0;
  /// Levels as the Care page shows them, and the record's levels when last looked at.
  double water = 0.0;
  double waterSeen = 0.0;
  double fertiliser = 0.0;
  double fertiliserSeen = 0.0;
  double light = 0.0;        ///< 0 to 1
  double temperature = 0.0;  ///< degrees Celsius
  bool growWhileOff = false;
  bool autoCare = false;
  int32_t brightnessPercent = 100;
  plant::StoredColour potColour{};
  plant::StoredColour saucerColour{};
  int32_t redrawCode = kRedrawNone;
};

/// The working copies of a dialog that opens now on record, with the options just read from
/// their file and the library's active frame. The redraw code starts at none.
[[nodiscard]] DialogValues LoadDialogValues(const plant::PlantRecord& record, const PlantOptions& options,
                                            const ZrfRect& activeFrame);

/// Takes what the plant consumed since it was last looked at off the working levels, so the
/// user's own additions stay: working -= seen - record's level, then seen := record's level, for
/// water and for fertiliser.
void TakeConsumption(const plant::PlantRecord& record, DialogValues* values);

/// One step of a held add button: level + 0.01, or - 0.01 while Ctrl is down, kept within 0 and 1
/// (a level that is not a number becomes 0).
[[nodiscard]] double HoldStep(double level, bool ctrlDown);

/// Set Default: each working colour that differs from the record's default colour becomes it,
/// and the redraw code then becomes kRedrawColours. True when a colour changed.
bool ResetColours(const plant::PlantRecord& record, DialogValues* values);

/// A colour chosen for a swatch: the red, green and blue bytes of *colour (a working colour in
/// *values) become the choice, its weight byte stays, and the redraw code becomes kRedrawColours.
void ChooseColour(uint8_t red, uint8_t green, uint8_t blue, plant::StoredColour* colour, DialogValues* values);

/// A slider's position for value on a slider of 0 to maximum whose position is value x scale:
/// rounded to the nearest whole position and kept within the slider (a value that is not a
/// number gives 0).
[[nodiscard]] int32_t SliderPosition(double value, double scale, int32_t maximum);

/// OK: writes the working copies into record (levels, light and temperature, or the plant's
/// optima for all four when automatic care is on; the GrowWhileOff and AutoCare bits; the
/// brightness; both colours) and returns the redraw code to post: kRedrawBrightness when the
/// brightness changed, else the working redraw code. A brightness whose percent was not changed
/// keeps its exact stored value. The options are the caller's to carry out.
[[nodiscard]] int32_t ApplyDialogValues(const DialogValues& values, plant::PlantRecord* record);

/// Whether the user moved or resized the plant while the dialog was open: every such change
/// rewrites the record's size factor or anchor, which the renderer's own changes of the frame (a
/// plant that grows) never do. Only then does Cancel put the saved frame back.
[[nodiscard]] bool IsPlantMoved(const DialogValues& values, const plant::PlantRecord& record);

}  // namespace plantapp
