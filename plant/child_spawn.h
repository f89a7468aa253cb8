// Internal to the growth simulation (and its tests); callers use growth_simulation.h. Making a
// child node: where on its parent it sits, which ancestors it takes its frames from, the
// directions it grows in and the random size factors and drift rates it is born with.
#pragma once

#include <cstdint>

#include "plant/plant_state.h"
#include "plant/species.h"

namespace plant {

/// The ancestor of a new child of parentIndex that selector picks: walking up from the parent
/// (depth -1, its parent -2, ...) and counting the visited ancestors whose anchor byte is not 0,
/// the first ancestor whose depth or count equals a non-zero selector; node 0 when none does or the
/// selector is 0. Requires: 0 <= parentIndex < nodeCount.
[[nodiscard]] int32_t SelectAncestor(const Plant& plant, int32_t parentIndex, AncestorSelector selector);

/// Appends a child of parentIndex made by child slot slotIndex of the parent's kind, draws its
/// size factors, rates, offset scale, angles and flips (in that order: 16 generator values) and
/// computes its frame. Brings every frame up to date first, so the child's directions are taken
/// from current ancestor frames. Returns false when the node array cannot grow; then no node or
/// counter has changed and nothing was drawn. Node pointers taken before the call may be invalid
/// after it.
/// Requires: 0 < parentIndex < nodeCount; slotIndex < the parent kind's slotCount.
[[nodiscard]] bool SpawnChild(Plant& plant, int32_t parentIndex, uint8_t slotIndex);

}  // namespace plant
