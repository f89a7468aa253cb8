// The plant dialog's working copies: load and OK, Cancel's rule, the add buttons' step, the
// plant's consumption and the colours, on a record whose values are worked out by hand.
#include "app/dialog_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "app/brightness_percent.h"

namespace plantapp {
namespace {

constexpr plant::StoredColour kTerracotta{0, 45, 98, 196};
constexpr plant::StoredColour kBlue{7, 200, 100, 50};

std::unique_ptr<plant::PlantRecord> MakeRecord() {
  auto record = std::make_unique<plant::PlantRecord>();
  std::memset(record.get(), 0, sizeof *record);
  record->waterLevel = 0.4;
  record->fertiliserLevel = 0.3;
  record->light = 0.55;
  record->temperature = 21.5;
  record->optimalWater = 0.6;
  record->optimalFertiliser = 0.5;
  record->optimalTemperature = 20.0;
  record->optimalLight = 0.8;
  record->brightness = 1.13 - 1.0;  // 0.12999999999999989: no whole percent gives it back exactly
  record->flags = plant::kShowSnapshot | plant::kGrowWhileOff;
  record->sizeFactor = 1.5;
  record->anchorX = 0.5;
  record->anchorY = 0.9;
  record->potColour = record->defaultPotColour = kTerracotta;
  record->saucerColour = record->defaultSaucerColour = kTerracotta;
  return record;
}

TEST(BrightnessPercent, EveryPercentOfTheFieldReadsBackAsItself) {
  for (int32_t percent = kMinBrightnessPercent; percent <= kMaxBrightnessPercent; ++percent) {
    EXPECT_EQ(BrightnessPercent(BrightnessFromPercent(percent)), percent);
  }
  EXPECT_EQ(BrightnessPercent(std::nan("")), 100);
  EXPECT_EQ(BrightnessPercent(1e300), 100);
}

TEST(BrightnessPercent, TextOutsideTheRangeOrWithoutANumberReadsAs100) {
  EXPECT_EQ(ParseBrightnessText("80"), 80);
  EXPECT_EQ(ParseBrightnessText("120"), 120);
  EXPECT_EQ(ParseBrightnessText(" 95x"), 95);
  for (const char* text : {"150", "79", "-90", "abc", "", "1000", "10000"}) {
    EXPECT_EQ(ParseBrightnessText(text), 100) << text;
  }
}

TEST(DialogValues, OkWithNothingTouchedChangesNothing) {
  auto record = MakeRecord();
  const auto before = std::make_unique<plant::PlantRecord>(*record);
  const DialogValues values = LoadDialogValues(*record, PlantOptions{}, ZrfRect{1, 2, 3, 4});
  EXPECT_EQ(values.brightnessPercent, 113);
  EXPECT_EQ(ApplyDialogValues(values, record.get()), kRedrawNone);
  EXPECT_EQ(std::memcmp(record.get(), before.get(), sizeof *record), 0);
}

TEST(DialogValues, OkWritesTheCareValuesOrTheOptimaUnderAutomaticCare) {
  auto record = MakeRecord();
  DialogValues values = LoadDialogValues(*record, PlantOptions{}, ZrfRect{});
  values.water = 0.7;
  values.light = 0.25;
  values.growWhileOff = false;
  (void)ApplyDialogValues(values, record.get());
  EXPECT_EQ(record->waterLevel, 0.7);
  EXPECT_EQ(record->light, 0.25);
  EXPECT_EQ(record->flags, plant::kShowSnapshot);

  values.autoCare = true;
  (void)ApplyDialogValues(values, record.get());
  EXPECT_EQ(record->waterLevel, 0.6);
  EXPECT_EQ(record->fertiliserLevel, 0.5);
  EXPECT_EQ(record->temperature, 20.0);
  EXPECT_EQ(record->light, 0.8);
  EXPECT_EQ(record->flags, plant::kShowSnapshot | plant::kAutoCare);
}

TEST(DialogValues, BrightnessAndColourChangedGiveOneRedrawOfTheBrightness) {
  auto record = MakeRecord();
  DialogValues values = LoadDialogValues(*record, PlantOptions{}, ZrfRect{});
  ChooseColour(50, 100, 200, &values.potColour, &values);
  EXPECT_EQ(values.redrawCode, kRedrawColours);
  EXPECT_EQ(values.potColour.weight, kTerracotta.weight);
  values.brightnessPercent = 90;
  EXPECT_EQ(ApplyDialogValues(values, record.get()), kRedrawBrightness);
  EXPECT_DOUBLE_EQ(record->brightness, -0.1);
  EXPECT_EQ(record->potColour.red, 50);
  EXPECT_EQ(record->potColour.blue, 200);
}

TEST(DialogValues, SetDefaultRedrawsOnlyWhenAColourWasChanged) {
  auto record = MakeRecord();
  DialogValues values = LoadDialogValues(*record, PlantOptions{}, ZrfRect{});
  EXPECT_FALSE(ResetColours(*record, &values));
  EXPECT_EQ(values.redrawCode, kRedrawNone);
  record->saucerColour = kBlue;
  values = LoadDialogValues(*record, PlantOptions{}, ZrfRect{});
  EXPECT_TRUE(ResetColours(*record, &values));
  EXPECT_EQ(values.saucerColour.blue, kTerracotta.blue);
  EXPECT_EQ(values.redrawCode, kRedrawColours);
}

TEST(DialogValues, ConsumptionComesOffTheUsersAdditions) {
  auto record = MakeRecord();
  DialogValues values = LoadDialogValues(*record, PlantOptions{}, ZrfRect{});
  values.water += 0.05;
  record->waterLevel = 0.38;  // the plant drank 0.02
  record->fertiliserLevel = 0.29;
  TakeConsumption(*record, &values);
  EXPECT_DOUBLE_EQ(values.water, 0.43);
  EXPECT_DOUBLE_EQ(values.fertiliser, 0.29);
  TakeConsumption(*record, &values);  // nothing consumed since
  EXPECT_DOUBLE_EQ(values.water, 0.43);
}

TEST(DialogValues, HoldStepStaysWithinEmptyAndFull) {
  EXPECT_DOUBLE_EQ(HoldStep(0.5, false), 0.51);
  EXPECT_DOUBLE_EQ(HoldStep(0.5, true), 0.49);
  EXPECT_EQ(HoldStep(0.005, true), 0.0);
  EXPECT_EQ(HoldStep(0.995, false), 1.0);
  EXPECT_DOUBLE_EQ(HoldStep(std::nan(""), false), 0.01);
}

TEST(DialogValues, CancelRestoresTheFrameOnlyAfterTheUserMovedThePlant) {
  auto record = MakeRecord();
  const DialogValues values = LoadDialogValues(*record, PlantOptions{}, ZrfRect{10, 20, 110, 220});
  EXPECT_EQ(values.savedFrame, (ZrfRect{10, 20, 110, 220}));
  record->rectRight = 0.4;  // the plant grew: the renderer changes the frame, not the placement
  EXPECT_FALSE(IsPlantMoved(values, *record));
  record->anchorX = 0.52;  // a move
  EXPECT_TRUE(IsPlantMoved(values, *record));
  record->anchorX = 0.5;
  record->sizeFactor = 1.6;  // a resize
  EXPECT_TRUE(IsPlantMoved(values, *record));
}

}  // namespace
}  // namespace plantapp
