// The growth step; see growth_simulation.h for the model.
#include "plant/growth_simulation.h"

#include "plant/child_spawn.h"
#include "plant/curve.h"
#include "plant/node_array.h"
#include "plant/node_geometry.h"
#include "plant/plant_calendar.h"
#include "plant/plant_clock.h"
#include "plant/random.h"
#include "plant/saturate.h"
#include "plant/species.h"

// Growth must draw the same plant on every build. The i686 build would otherwise do its double
// arithmetic in 80-bit x87 registers and round differently from the x86_64 and native builds.
#if defined(__i386__) && !defined(__SSE2_MATH__)
#error "the plant engine needs SSE2 double arithmetic (-msse2 -mfpmath=sse) on i686"
#endif
#if defined(__FLT_EVAL_METHOD__) && __FLT_EVAL_METHOD__ != 0
#error "the plant engine needs doubles evaluated in double precision"
#endif

namespace plant {
namespace {

// The parts of a step that read the same values for every node.
struct StepContext {
  double dayOfYear;
  double stepCount;
  double temperatureEffect;
  double lightEffect;
  double optimalWaterState;
  double optimalFertiliserState;
};

double CountArgument(int32_t count) { return static_cast<double>(static_cast<uint32_t>(count)); }

void UseUpCare(Plant& plant, double season) {
  const uint8_t* record = plant.record.get();
  PlantRecord& r = plant.Record();
  if ((r.flags & kAutoCare) != 0) {
    r.waterLevel = r.optimalWater;
    r.fertiliserLevel = r.optimalFertiliser;
    r.temperature = r.optimalTemperature;
    r.light = r.optimalLight;
    return;
  }
  const double nodes = CountArgument(r.nodeCount);
  r.waterLevel -= EvaluateCurve(record, r.waterUseByTemperature, r.temperature) *
                  (EvaluateCurve(record, r.waterUseByCount, nodes) * season);
  r.fertiliserLevel -= EvaluateCurve(record, r.fertiliserUseByCount, nodes) * season;
}

// Requires: the record's clock, calendar, counters, care levels and effects are this step's.
StepContext MakeStepContext(const Plant& plant) {
  const uint8_t* record = plant.record.get();
  const PlantRecord& r = plant.Record();
  StepContext step{};
  step.dayOfYear = r.dayOfYear;
  step.stepCount = r.stepCount;
  step.temperatureEffect = EvaluateCurve(record, r.temperatureEffectCurve, r.temperature);
  step.lightEffect = EvaluateCurve(record, r.lightEffectCurve, r.light);
  step.optimalWaterState = EvaluateCurve(record, r.waterEffectCurve, r.optimalWater);
  step.optimalFertiliserState = EvaluateCurve(record, r.fertiliserEffectCurve, r.optimalFertiliser);
  return step;
}

void StartStep(Plant& plant) {
  const uint8_t* record = plant.record.get();
  PlantRecord& r = plant.Record();
  r.clock = AdvanceClock(r.clock, r.secondsPerStep);
  r.dayOfYear = FoldedDayOfYear(ReadClock(r.clock));
  r.stepCount += 1;
  const double season = EvaluateCurve(record, r.seasonCurve, r.dayOfYear);
  UseUpCare(plant, season);
  r.waterEffect = EvaluateCurve(record, r.waterEffectCurve, r.waterLevel);
  r.fertiliserEffect = EvaluateCurve(record, r.fertiliserEffectCurve, r.fertiliserLevel);
}

// Nodes of a type that drifts (the pot, which holds no water of its own, does not) make up the
// plant's health.
bool CountsForHealth(const NodeType& type) { return type.waterFallBase != 0.0; }

int8_t TrendToward(double state, double optimalState) { return state > optimalState ? 1 : -1; }

// Trends by inheritance, by chance and by bounds; the bounds see the states before this step's
// drift.
void UpdateTrends(const Plant& plant, PlantNode& node, const NodeType& type, const StepContext& step) {
  const uint8_t* record = plant.record.get();
  const PlantNode& parent = plant.Node(node.parent);
  if (parent.waterTrend != 0) {
    node.waterTrend = parent.waterTrend;
  }
  if (parent.fertiliserTrend != 0) {
    node.fertiliserTrend = parent.fertiliserTrend;
  }
  const double a = node.waterState;
  const double b = node.fertiliserState;
  if (node.waterTrend == 0) {
    const bool fired = RandomChance(EvaluateCurve(record, plant.Record().trendChanceByStep, step.stepCount)) ||
                       RandomChance(EvaluateCurve(record, type.trendByAge, node.age)) ||
                       RandomChance(EvaluateCurve(record, type.trendByDay, step.dayOfYear)) ||
                       RandomChance(EvaluateCurve(record, type.trendByA, a));
    if (fired) {
      node.waterTrend = TrendToward(a, step.optimalWaterState);
    }
  }
  if (node.fertiliserTrend == 0 && RandomChance(EvaluateCurve(record, type.fertiliserTrendByB, b))) {
    node.fertiliserTrend = TrendToward(b, step.optimalFertiliserState);
  }
  if (a >= type.waterUpper) node.waterTrend = 1;
  if (a <= type.waterLower) node.waterTrend = -1;
  if (b >= type.fertiliserUpper) node.fertiliserTrend = 1;
  if (b <= type.fertiliserLower) node.fertiliserTrend = -1;
}

// How far a state moves this step: at the trend rate while it has a trend, else toward the
// plant's effect at the tracking rate.
double DriftRate(int8_t trend, double state, double effect, double trendMultiplier, double tracking,
                 double fallRate, double riseRate) {
  if (trend < 0) return trendMultiplier * fallRate;
  if (trend > 0) return trendMultiplier * riseRate;
  if (state > effect) return tracking * fallRate;
  if (state < effect) return tracking * riseRate;
  return 0.0;
}

// A state that is not a number fails every comparison, so the test is written to let only states
// inside the range survive: a node whose state became NaN dies instead of poisoning the file.
bool IsWithinSurvivalRange(const PlantNode& node, const NodeType& type) {
  const double a = node.waterState;
  const double b = node.fertiliserState;
  return a >= type.minA && a <= type.maxA && b >= type.minB && b <= type.maxB;
}

// Tries each child slot once, in order, while the node is under its child budget.
void MakeChildren(Plant& plant, int32_t index, const NodeKind& kind, double growth, const StepContext& step) {
  const uint8_t* record = plant.record.get();
  const NodeType& type = *TypeAt(record, kind.typeOffset);
  const double budgetFraction = EvaluateCurve(record, type.childrenByG, growth);
  const uint32_t budget = SaturateToU32(budgetFraction * kind.maxChildren);
  const ChildSlot* slots = SlotsOf(&kind);
  for (uint8_t s = 0; s < kind.slotCount; ++s) {
    const PlantNode& node = plant.Node(index);
    if (node.childCount >= budget) {
      return;
    }
    const ChildSlot& slot = slots[s];
    if (static_cast<int8_t>(plant.SlotCounters(index)[s]) >= slot.maxCount) {
      continue;
    }
    const NodeType& childType = *TypeAt(record, KindAt(record, slot.childKindOffset)->typeOffset);
    double chance = EvaluateCurve(record, slot.spawnByAge, node.age) *
                    EvaluateCurve(record, childType.spawnByDay, step.dayOfYear) *
                    EvaluateCurve(record, childType.spawnBySteps, step.stepCount) *
                    EvaluateCurve(record, childType.spawnByParentA, node.waterState) *
                    EvaluateCurve(record, childType.spawnByG, growth);
    if (node.waterTrend != 0 || node.fertiliserTrend != 0) {
      chance = 0.0;  // still drawn, so later draws do not depend on the trend
    }
    // A failed append leaves the plant unchanged; the slot tries again on a later step.
    if (RandomChance(chance)) {
      (void)SpawnChild(plant, index, s);
    }
  }
}

int32_t GrowNodeInStep(Plant& plant, int32_t index, const StepContext& step) {
  const uint8_t* record = plant.record.get();
  const PlantRecord& r = plant.Record();
  PlantNode& node = plant.Node(index);
  const NodeKind& kind = *KindAt(record, node.kindOffset);
  const NodeType& type = *TypeAt(record, kind.typeOffset);

  // Remembered in the plant file: once every such node has died, the plant is dead, not unknown.
  if (CountsForHealth(type)) plant.Record().flags |= kHasLived;
  UpdateTrends(plant, node, type, step);
  const double tracking = EvaluateCurve(record, type.trackingRate, node.age);
  const double waterRate = DriftRate(node.waterTrend, node.waterState, r.waterEffect, type.waterTrendMultiplier,
                                     tracking, node.waterFallRate, node.waterRiseRate);
  const double fertiliserRate =
      DriftRate(node.fertiliserTrend, node.fertiliserState, r.fertiliserEffect, type.fertiliserTrendMultiplier,
                tracking, node.fertiliserFallRate, node.fertiliserRiseRate);
  node.waterState += waterRate;
  node.fertiliserState += fertiliserRate;
  if (!IsWithinSurvivalRange(node, type)) {
    RemoveDeadNodes(plant, index);
    return index;
  }

  const double growth = EvaluateCurve(record, type.growthByB, node.fertiliserState) * step.temperatureEffect *
                        step.lightEffect * EvaluateCurve(record, type.growthByDay, step.dayOfYear);
  node.age += EvaluateCurve(record, type.growthByA, node.waterState) * growth;
  MakeChildren(plant, index, kind, growth, step);
  return index + 1;
}

}  // namespace

void SimulatePlant(Plant& plant, uint32_t steps) {
  for (uint32_t s = 0; s < steps; ++s) {
    StartStep(plant);
    const StepContext step = MakeStepContext(plant);
    for (int32_t index = 1; index < plant.Record().nodeCount;) {
      index = GrowNodeInStep(plant, index, step);
    }
  }
  RefreshNodeFrames(plant);
}

int32_t GrowNode(Plant& plant, int32_t index) { return GrowNodeInStep(plant, index, MakeStepContext(plant)); }

double ComputePlantHealth(const Plant& plant) {
  const uint8_t* record = plant.record.get();
  const int32_t nodeCount = plant.Record().nodeCount;
  const double nothingCounted = (plant.Record().flags & kHasLived) != 0 ? 0.0 : -1.0;
  uint32_t counted = 0;
  double sum = 0.0;
  for (int32_t index = 1; index < nodeCount; ++index) {
    const PlantNode& node = plant.Node(index);
    const NodeType& type = *TypeAt(record, KindAt(record, node.kindOffset)->typeOffset);
    if (!CountsForHealth(type)) {
      continue;
    }
    ++counted;
    if (node.waterTrend == 0 && node.fertiliserTrend == 0) {
      sum += EvaluateCurve(record, type.growthByB, node.fertiliserState) +
             EvaluateCurve(record, type.growthByA, node.waterState);
    }
  }
  if (counted == 0) {
    return nothingCounted;
  }
  return 0.5 * sum / counted;
}

void SimulatePlant(uint32_t steps) { SimulatePlant(CurrentPlant(), steps); }

double ComputePlantHealth() { return ComputePlantHealth(CurrentPlant()); }

}  // namespace plant
