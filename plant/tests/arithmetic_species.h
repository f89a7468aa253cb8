// A species for growth tests whose every tunable is a plain number, so that results can be
// worked out by hand, and a helper to list its nodes. Free of the test framework, so that test
// programs and generators of test files can share it.
#pragma once

#include <string>

#include "tools/species/species_builder.h"

namespace plant::test {

/// A species whose every tunable is a plain number, for results worked out by hand:
/// - kinds "anchor" (node 0), "pot" (immortal, type "pot", one slot making "leaf") and "leaf"
///   (type "leaf", one slot making "leaf", spawn chance 0 unless a test sets it);
/// - no water or fertiliser is used, every effect curve is the identity, growth factors are 1;
/// - "leaf" counts for health, drifts at 1/16 per step and survives between -1e9 and 1e9.
/// No nodes are listed: tests add them to nodes.
inline species::Species ArithmeticSpecies() {
  using species::Constant;
  using species::Line;
  species::Species s;
  species::Record& r = s.record;
  r.secondsPerStep = 600;
  r.waterUseByCount = Constant(0.0);
  r.fertiliserUseByCount = Constant(0.0);
  r.waterEffectCurve = Line({{0.0, 0.0}, {1.0, 1.0}});
  r.fertiliserEffectCurve = Line({{0.0, 0.0}, {1.0, 1.0}});
  r.waterLevel = 0.5;
  r.fertiliserLevel = 0.5;
  r.optimalWater = 0.5;
  r.optimalFertiliser = 0.5;
  s.rootKind = "anchor";

  species::Type anchor;
  anchor.name = "anchor";
  species::Type pot;
  pot.name = "pot";
  species::Type leaf;
  leaf.name = "leaf";
  leaf.waterFallBase = -0.0625;
  leaf.waterRiseBase = 0.0625;
  leaf.fertiliserFallBase = -0.0625;
  leaf.fertiliserRiseBase = 0.0625;
  leaf.waterTrendMultiplier = 2.0;
  leaf.fertiliserTrendMultiplier = 2.0;
  s.types = {anchor, pot, leaf};

  species::Kind anchorKind;
  anchorKind.name = "anchor";
  anchorKind.type = "anchor";
  anchorKind.maxChildren = 1;
  anchorKind.slots.push_back(species::Slot{"pot", 1, Constant(0.0), species::Orientation{}});
  species::Kind potKind;
  potKind.name = "pot";
  potKind.type = "pot";
  potKind.maxChildren = 8;
  potKind.slots.push_back(species::Slot{"leaf", 8, Constant(0.0), species::Orientation{}});
  species::Kind leafKind;
  leafKind.name = "leaf";
  leafKind.type = "leaf";
  leafKind.maxChildren = 8;
  leafKind.slots.push_back(species::Slot{"leaf", 8, Constant(0.0), species::Orientation{}});
  s.kinds = {anchorKind, potKind, leafKind};
  return s;
}

/// A node of kind under parent, made by slot 0.
inline species::Node NodeOf(const std::string& kind, int32_t parent) {
  species::Node n;
  n.kind = kind;
  n.parent = parent;
  return n;
}

}  // namespace plant::test
