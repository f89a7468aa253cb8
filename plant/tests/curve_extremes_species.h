// Species for the properties that must hold whatever a species' curves give: a small branching
// plant that is born, ages and dies every day, and variants of it whose curves go negative, drop
// to zero or reach the ends of the double range. Shared by the growth property test and the
// growth fuzz target's seed files.
#pragma once

#include <string>
#include <vector>

#include "plant/tests/arithmetic_species.h"
#include "tools/species/species_builder.h"

namespace plant::test {

/// Steps of one simulated day of these species: 675 s each, 128 a day, so that amounts of 1/128
/// a step add up to whole numbers exactly.
constexpr int kCurveExtremesStepsPerDay = 128;

/// A pot that keeps making leaves, leaves that make one twig each and die of old age or when the
/// pot dries out; leaves take their frames from ancestors picked by depth and anchor count, turn
/// by tropism, droop when dry, and draw their angles, roll and flips at random. Built on the
/// arithmetic species: types and kinds 0 to 2 are its anchor, pot and leaf, 3 the twig.
inline species::Species BranchingSpecies() {
  using species::Constant;
  using species::Line;
  species::Species s = ArithmeticSpecies();
  species::Record& r = s.record;
  r.secondsPerStep = 675;
  r.waterUseByCount = Line({{0.0, 0.002}, {40.0, 0.006}});
  r.fertiliserUseByCount = Constant(0.001);
  r.waterLevel = r.fertiliserLevel = r.optimalWater = r.optimalFertiliser = 0.6;

  species::Type& leaf = s.types[2];
  leaf.widthRange[0] = 0.75;
  leaf.widthRange[1] = 1.25;
  leaf.tropismOperation = 1;
  leaf.tropismAxes = 3;
  leaf.tropismByAge = Line({{0.0, 0.0}, {256.0, 0.5}});
  leaf.droopByA = Line({{0.2, 0.5}, {0.5, 1.0}});
  leaf.trendByAge = Line({{0.0, 0.0}, {300.0, 0.0}, {600.0, 0.02}});
  leaf.waterFallBase = leaf.fertiliserFallBase = -1.0 / 64;
  leaf.waterRiseBase = leaf.fertiliserRiseBase = 1.0 / 64;
  leaf.waterSpread = leaf.fertiliserSpread = 0.25;
  leaf.waterLower = 0.2;
  leaf.waterUpper = 0.95;
  leaf.minA = 0.1;
  leaf.maxA = 1.0;
  leaf.growthByA = Line({{0.1, 0.0}, {0.4, 1.0}});
  species::Type twig = leaf;
  twig.name = "twig";
  s.types.push_back(twig);

  species::Orientation onPot;
  onPot.polarRange[0] = 0.3;
  onPot.polarRange[1] = 1.1;
  onPot.azimuthRange[1] = 6.25;
  onPot.polarFlip = 0.5;
  onPot.anchor = 1;
  species::Orientation onLeaf = onPot;
  onLeaf.polar = 0.5;
  onLeaf.offsetScaleRange[0] = 0.5;
  onLeaf.rollRange[0] = -0.5;
  onLeaf.rollRange[1] = 0.5;
  onLeaf.azimuthFlip = onLeaf.rollFlip = 0.5;
  onLeaf.anchor = 0;
  onLeaf.frameSelector = -1;
  onLeaf.tropismSelector = 1;
  onLeaf.directionSelector = -2;
  onLeaf.upSelector = 1;

  s.kinds[1].maxChildren = 6;
  s.kinds[1].slots[0] = species::Slot{"leaf", 6, Constant(0.01), onPot};
  species::Kind& leafKind = s.kinds[2];
  leafKind.widthByAge = Line({{0.0, 0.05}, {128.0, 0.2}});
  leafKind.depthByAge = Constant(0.02);
  leafKind.lengthByAge = Line({{0.0, 0.1}, {128.0, 1.0}});
  leafKind.maxChildren = 1;
  leafKind.slots[0] = species::Slot{"twig", 1, Line({{0.0, 0.0}, {64.0, 0.02}}), onLeaf};
  species::Kind twigKind = leafKind;
  twigKind.name = "twig";
  twigKind.type = "twig";
  twigKind.maxChildren = 0;
  twigKind.slots.clear();
  s.kinds.push_back(twigKind);

  s.nodes = {NodeOf("pot", 0)};
  return s;
}

/// Ages that fall (the pot's by exactly 1/128 a step, so it stands on -1.0 at the end of its first
/// day, and every leaf's by 0.5 a step from its birth step on), negative sizes, droop, tropism and
/// tracking rates, so that states drift away from the pot's effects.
inline species::Species NegativeCurvesSpecies() {
  using species::Constant;
  species::Species s = BranchingSpecies();
  s.types[1].growthByA = Constant(-1.0 / 128);
  for (species::Type* t : {&s.types[2], &s.types[3]}) {
    t->growthByA = Constant(-0.5);
    t->trackingRate = Constant(-1.0);
    t->droopByA = Constant(-0.5);
    t->tropismByAge = Constant(-2.0);
  }
  for (species::Kind* k : {&s.kinds[2], &s.kinds[3]}) {
    k->widthByAge = Constant(-0.25);
    k->lengthByAge = Constant(-1.0);
  }
  s.kinds[2].slots[0].spawnByAge = Constant(0.02);
  return s;
}

/// Nothing grows, drifts, bends or has a size: every node sits on its parent's position and
/// grows straight along its up reference, which leaves both up-vector fallbacks of a child's
/// orientation to decide it; every leaf hangs straight down.
inline species::Species ZeroCurvesSpecies() {
  using species::Constant;
  species::Species s = BranchingSpecies();
  for (species::Type* t : {&s.types[2], &s.types[3]}) {
    t->growthByA = Constant(0.0);
    t->trackingRate = Constant(0.0);
    t->droopByA = Constant(0.0);
    t->tropismByAge = Constant(0.0);
    t->waterSpread = 0.0;
  }
  for (species::Kind* k : {&s.kinds[2], &s.kinds[3]}) {
    k->widthByAge = Constant(0.0);
    k->depthByAge = Constant(0.0);
    k->lengthByAge = Constant(0.0);
  }
  s.kinds[2].slots[0].spawnByAge = Constant(0.02);
  for (species::Kind* k : {&s.kinds[1], &s.kinds[2]}) {
    species::Orientation& o = k->slots[0].orientation;
    o.polarRange[0] = o.polarRange[1] = 0.0;
    o.directionSelector = o.upSelector;
  }
  return s;
}

/// Curves at the ends of the double range. Leaves age by 1e300 a step and turn by an infinite
/// tropism, which leaves their frames no numbers, and make a twig every step from those frames;
/// twigs' ages fall to minus infinity (where even a constant curve gives no number), their rates
/// and size factors overflow, sizes and positions overflow, and a vertical step in the water use
/// empties the pot to minus infinity once a leaf grows, which leaves its effect no number.
inline species::Species ExtremeCurvesSpecies() {
  using species::Constant;
  using species::Line;
  species::Species s = BranchingSpecies();
  s.record.waterUseByCount = Line({{0.0, 0.0}, {2.0, 0.0}, {2.0, 1e300}});
  s.record.waterUseByTemperature = Constant(1e300);
  s.kinds[1].slots[0].spawnByAge = Constant(1e300);
  s.kinds[2].slots[0].spawnByAge = Constant(1e300);
  species::Curve infinite = Constant(1e300);
  infinite.points = {{0.0, 1e300}};  // 1e300 x 1e300 overflows
  for (species::Type* t : {&s.types[2], &s.types[3]}) {
    t->growthByA = Constant(1e300);
    t->childrenByG = Constant(1e300);
    t->tropismByAge = infinite;
    t->droopByA = Line({{0.5, 1.0}, {0.5, 1e300}});
    t->widthRange[0] = -1e308;
    t->widthRange[1] = 1e308;
  }
  s.types[3].growthByDay = Constant(-1e300);
  s.types[3].waterSpread = 1e300;
  for (species::Kind* k : {&s.kinds[2], &s.kinds[3]}) {
    k->widthByAge = Constant(1e300);
    k->lengthByAge = Constant(-1e300);
  }
  return s;
}

struct NamedSpecies {
  const char* name;
  species::Species description;
};

/// The branching species and its three variants, by name.
inline std::vector<NamedSpecies> CurveExtremesSpecies() {
  return {{"branching", BranchingSpecies()},
          {"negative", NegativeCurvesSpecies()},
          {"zero", ZeroCurvesSpecies()},
          {"extreme", ExtremeCurvesSpecies()}};
}

}  // namespace plant::test
