// The loaded plant: the record block, the node array and the placement derived from them. One
// process holds one plant, the current plant, which every part of the engine reaches.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "plant/plant_node.h"
#include "plant/plant_record.h"

namespace plant {

/// Plant rectangle in desktop pixels.
struct PixelRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

/// Owner of one plant's memory. The blocks are valid from a successful load until the plant is
/// reset or destroyed; pointers into the node array are valid only until the next AddNode.
struct Plant {
  /// recordSize bytes, laid out as PlantRecord plus species data.
  std::unique_ptr<uint8_t[]> record;
  /// nodeCapacity + 1 slots of nodeSize bytes; slots from nodeCount on are all zero.
  std::unique_ptr<uint8_t[]> nodes;
  /// nodeCapacity + 1 entries of scratch space for removing dead nodes, so that a death never has
  /// to allocate in the middle of a simulation step.
  std::unique_ptr<int32_t[]> renumber;
  /// Path of the private plant file that load and save use.
  std::string path;
  /// Screen (desktop list-view client) size in pixels, set by the plant program before loading.
  int32_t screenWidth = 0;
  int32_t screenHeight = 0;
  /// Pixels per plant unit: screenHeight x pixelScale, set at load.
  double pixelsPerUnit = 0.0;
  /// Plant rectangle in desktop pixels, derived at load and kept up to date by the plant window.
  PixelRect rect{};
  /// stepCount at the last full refresh of the node frames; -1 until the first one after a load.
  /// Wider than the u32 step count so that "never refreshed" equals no step count. It belongs to
  /// the plant, not the process: a reloaded or second plant must not take its frames for current.
  int64_t lastFrameStep = -1;

  [[nodiscard]] bool IsLoaded() const { return record != nullptr && nodes != nullptr; }
  [[nodiscard]] PlantRecord& Record() { return *reinterpret_cast<PlantRecord*>(record.get()); }
  [[nodiscard]] const PlantRecord& Record() const {
    return *reinterpret_cast<const PlantRecord*>(record.get());
  }
  /// Node index of the array. Requires: 0 <= index <= nodeCapacity.
  [[nodiscard]] PlantNode& Node(int32_t index) { return *reinterpret_cast<PlantNode*>(NodeBytes(index)); }
  [[nodiscard]] const PlantNode& Node(int32_t index) const {
    return *reinterpret_cast<const PlantNode*>(NodeBytes(index));
  }
  /// The child-slot counters of node index (one byte per ChildSlot of its kind).
  [[nodiscard]] uint8_t* SlotCounters(int32_t index) { return NodeBytes(index) + kNodeFixedSize; }
  [[nodiscard]] uint8_t* NodeBytes(int32_t index) {
    return nodes.get() + static_cast<size_t>(index) * static_cast<uint32_t>(Record().nodeSize);
  }
  [[nodiscard]] const uint8_t* NodeBytes(int32_t index) const {
    return nodes.get() + static_cast<size_t>(index) * static_cast<uint32_t>(Record().nodeSize);
  }
  /// Frees both blocks and forgets the placement and the frame refresh; the path and screen size
  /// stay.
  void Reset();
};

/// The process's plant. Owned by the engine for the life of the process.
[[nodiscard]] Plant& CurrentPlant();

}  // namespace plant
