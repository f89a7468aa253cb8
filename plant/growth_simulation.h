// The growth simulation: one step advances the clock and the calendar, uses up water and
// fertiliser (or applies automatic care), turns the pot's levels into two effects and visits every
// node once. A node's two states drift toward those effects (or along an irreversible trend), it
// dies with its subtree when a state leaves its type's survival range, otherwise it ages by its
// growth factor and may make children. All tunables are curves and constants of the plant record.
//
// Chance comes only from the engine's generator (random.h), and the order of the draws is part of
// the behaviour: one seed and one plant file give one plant on every build.
#pragma once

#include <cstdint>

#include "plant/plant_state.h"

namespace plant {

/// Runs steps simulation steps (0 is allowed), then brings the node frames up to date.
/// Requires: plant holds a validated plant.
void SimulatePlant(Plant& plant, uint32_t steps);

/// One step of node index; returns index + 1, or index when the node died (its subtree was
/// removed and the next living node now has that index).
/// Requires: 0 < index < nodeCount; the plant-wide part of the step has run.
[[nodiscard]] int32_t GrowNode(Plant& plant, int32_t index);

/// The plant's health as a fraction (the mean of growthByB(B) + growthByA(A), halved, over the
/// nodes whose type counts, a node with a trend adding 0). Without such a node: 0.0 (dead) when the
/// plant has had one (flags has kHasLived, set by the step that grows one), else -1.0 (it cannot be
/// told yet).
[[nodiscard]] double ComputePlantHealth(const Plant& plant);

/// SimulatePlant and ComputePlantHealth on the current plant.
void SimulatePlant(uint32_t steps);
[[nodiscard]] double ComputePlantHealth();

}  // namespace plant
