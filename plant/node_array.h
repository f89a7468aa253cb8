// The three operations that change the shape of the node array: appending a child, flagging a
// subtree as dead, and removing a dead subtree with renumbering. Only the growth simulation calls
// them.
//
// Invariants kept (and required on entry, as the validator establishes them at load):
// - a node's parent, frameRef and tropismRef are ancestors, so they have lower indices;
// - the array has nodeCapacity + 1 slots and every slot from nodeCount up is all zero bytes;
// - childCount and each slot counter of a node equal the number of its children (by that slot).
#pragma once

#include <cstdint>

#include "plant/plant_state.h"

namespace plant {

/// Largest node count the engine accepts, in the file or by growth.
constexpr int32_t kMaxNodeCount = 1 << 20;

/// Largest node array growth may make, in bytes. A plant of real species stays far below it (the
/// default species' grown plant is a few kilobytes); without it, a species that keeps making
/// children could ask for gigabytes before the node cap is reached, and a 32-bit size would wrap.
constexpr uint64_t kMaxNodeArrayBytes = uint64_t(64) << 20;

/// Appends a child of parentIndex made by child slot slot and returns it (zeroed but for parent
/// and slot), or nullptr when the array cannot grow; then nothing has changed, not even the
/// parent's counters, and the caller may try again on a later step. The array grows by
/// nodeCapacityIncrement when it is full, which moves it: earlier node pointers become invalid.
/// Requires: parentIndex < nodeCount; slot < the parent kind's slotCount.
[[nodiscard]] PlantNode* AddNode(Plant& plant, int32_t parentIndex, uint8_t slot);

/// Sets age to -1.0 on node index and on every node below it.
/// Requires: 0 < index < nodeCount.
void KillSubtree(Plant& plant, int32_t index);

/// Detaches node index from its parent, kills its subtree and removes exactly that subtree from
/// the array, renumbering the parent, frameRef and tropismRef of every later node. Living nodes
/// whose age happens to be -1.0 are not touched. Allocates nothing.
/// Requires: 0 < index < nodeCount.
void RemoveDeadNodes(Plant& plant, int32_t index);

/// AddNode, KillSubtree and RemoveDeadNodes on the current plant.
[[nodiscard]] PlantNode* AddNode(int32_t parentIndex, uint8_t slot);
void KillSubtree(int32_t index);
void RemoveDeadNodes(int32_t index);

}  // namespace plant
