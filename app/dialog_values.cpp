// The plant dialog's working copies and their rules.
#include "app/dialog_values.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/brightness_percent.h"

namespace plantapp {
namespace {

constexpr double kHoldStep = 0.01;

// Bit for bit, so that a stored value that is not a number compares equal to itself.
bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool SameColour(const plant::StoredColour& a, const plant::StoredColour& b) {
  return a.weight == b.weight && a.blue == b.blue && a.green == b.green && a.red == b.red;
}

}  // namespace

DialogValues LoadDialogValues(const plant::PlantRecord& record, const PlantOptions& options,
                              const ZrfRect& activeFrame) {
  DialogValues values;
  values.options = options;
  values.savedFrame = activeFrame;
  values.savedSizeFactor = record.sizeFactor;
  values.savedAnchorX = record.anchorX;
  values.savedAnchorY = record.anchorY;
  values.water = values.waterSeen = record.waterLevel;
  values.fertiliser = values.fertiliserSeen = record.fertiliserLevel;
  values.light = record.light;
  values.temperature = record.temperature;
  values.growWhileOff = (record.flags & plant::kGrowWhileOff) != 0;
  values.autoCare = (record.flags & plant::kAutoCare) != 0;
  values.brightnessPercent = BrightnessPercent(record.brightness);
  values.potColour = record.potColour;
  values.saucerColour = record.saucerColour;
  values.redrawCode = kRedrawNone;
  return values;
}

void TakeConsumption(const plant::PlantRecord& record, DialogValues* values) {
  values->water -= values->waterSeen - record.waterLevel;
  values->waterSeen = record.waterLevel;
  values->fertiliser -= values->fertiliserSeen - record.fertiliserLevel;
  values->fertiliserSeen = record.fertiliserLevel;
}

double HoldStep(double level, bool ctrlDown) {
  if (!(level == level)) level = 0.0;
  return std::clamp(level + (ctrlDown ? -kHoldStep : kHoldStep), 0.0, 1.0);
}

bool ResetColours(const plant::PlantRecord& record, DialogValues* values) {
  bool changed = false;
  if (!SameColour(values->potColour, record.defaultPotColour)) {
    values->potColour = record.defaultPotColour;
    changed = true;
  }
  if (!SameColour(values->saucerColour, record.defaultSaucerColour)) {
    values->saucerColour = record.defaultSaucerColour;
    changed = true;
  }
  if (changed) values->redrawCode = kRedrawColours;
  return changed;
}

void ChooseColour(uint8_t red, uint8_t green, uint8_t blue, plant::StoredColour* colour, DialogValues* values) {
  colour->red = red;
  colour->green = green;
  colour->blue = blue;
  values->redrawCode = kRedrawColours;
}

int32_t SliderPosition(double value, double scale, int32_t maximum) {
  const double position = std::round(value * scale);
  if (!(position >= 0.0)) return 0;
  return position >= maximum ? maximum : static_cast<int32_t>(position);
}

int32_t ApplyDialogValues(const DialogValues& values, plant::PlantRecord* record) {
  record->waterLevel = values.water;
  record->fertiliserLevel = values.fertiliser;
  record->light = values.light;
  record->temperature = values.temperature;
  record->flags = (record->flags & ~(plant::kGrowWhileOff | plant::kAutoCare)) |
                  (values.growWhileOff ? plant::kGrowWhileOff : 0) | (values.autoCare ? plant::kAutoCare : 0);
  if (values.autoCare) {
    record->waterLevel = record->optimalWater;
    record->fertiliserLevel = record->optimalFertiliser;
    record->temperature = record->optimalTemperature;
    record->light = record->optimalLight;
  }
  int32_t redrawCode = values.redrawCode;
  // Comparing percents rather than brightness values keeps an untouched field from rewriting a
  // stored value that no whole percent reproduces exactly (1.13 - 1 is not 0.13).
  if (values.brightnessPercent != BrightnessPercent(record->brightness)) {
    record->brightness = BrightnessFromPercent(values.brightnessPercent);
    redrawCode = kRedrawBrightness;
  }
  record->potColour = values.potColour;
  record->saucerColour = values.saucerColour;
  return redrawCode;
}

bool IsPlantMoved(const DialogValues& values, const plant::PlantRecord& record) {
  return !SameBits(record.sizeFactor, values.savedSizeFactor) || !SameBits(record.anchorX, values.savedAnchorX) ||
         !SameBits(record.anchorY, values.savedAnchorY);
}

}  // namespace plantapp
