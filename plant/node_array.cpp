// Appending, killing and removing nodes; see node_array.h for the invariants.
#include "plant/node_array.h"

#include <cstring>
#include <new>

namespace plant {
namespace {

constexpr int32_t kRemoved = -1;

// Grows the array by the record's increment. Both new blocks are allocated before anything is
// changed, so a failure leaves the plant as it was.
bool GrowNodeArray(Plant& plant) {
  PlantRecord& record = plant.Record();
  const int64_t capacity = static_cast<int64_t>(record.nodeCapacity) + record.nodeCapacityIncrement;
  if (record.nodeCapacityIncrement < 1 || capacity > kMaxNodeCount) {
    return false;
  }
  const size_t nodeSize = static_cast<uint32_t>(record.nodeSize);
  const size_t slots = static_cast<size_t>(capacity) + 1;
  // Checked in 64 bits before the multiplication below, which is then safe on 32-bit hosts too.
  if (static_cast<uint64_t>(slots) * nodeSize > kMaxNodeArrayBytes) {
    return false;
  }
  std::unique_ptr<uint8_t[]> nodes(new (std::nothrow) uint8_t[slots * nodeSize]());
  std::unique_ptr<int32_t[]> renumber(new (std::nothrow) int32_t[slots]());
  if (!nodes || !renumber) {
    return false;
  }
  std::memcpy(nodes.get(), plant.nodes.get(), static_cast<size_t>(record.nodeCount) * nodeSize);
  plant.nodes = std::move(nodes);
  plant.renumber = std::move(renumber);
  record.nodeCapacity = static_cast<int32_t>(capacity);
  return true;
}

// Ensures: renumber[a] is kRemoved for index and every node below it, 0 for the other nodes from
// index on. Parents lie before their children, so one forward pass finds the whole subtree.
void MarkSubtree(Plant& plant, int32_t index) {
  const int32_t count = plant.Record().nodeCount;
  int32_t* marks = plant.renumber.get();
  marks[index] = kRemoved;
  for (int32_t a = index + 1; a < count; ++a) {
    const int32_t parent = plant.Node(a).parent;
    marks[a] = (parent >= index && marks[parent] == kRemoved) ? kRemoved : 0;
  }
}

int32_t Renumbered(const int32_t* newIndex, int32_t firstChanged, int32_t ref) {
  return ref >= firstChanged ? newIndex[ref] : ref;
}

}  // namespace

PlantNode* AddNode(Plant& plant, int32_t parentIndex, uint8_t slot) {
  PlantRecord& record = plant.Record();
  if (record.nodeCount >= record.nodeCapacity && !GrowNodeArray(plant)) {
    return nullptr;
  }
  PlantNode& parent = plant.Node(parentIndex);
  plant.SlotCounters(parentIndex)[slot] += 1;
  parent.childCount += 1;
  PlantNode& child = plant.Node(record.nodeCount);
  child.parent = parentIndex;
  child.slot = slot;
  record.nodeCount += 1;
  return &child;
}

void KillSubtree(Plant& plant, int32_t index) {
  MarkSubtree(plant, index);
  const int32_t count = plant.Record().nodeCount;
  for (int32_t a = index; a < count; ++a) {
    if (plant.renumber[a] == kRemoved) {
      plant.Node(a).age = kDeadAge;
    }
  }
}

void RemoveDeadNodes(Plant& plant, int32_t index) {
  PlantRecord& record = plant.Record();
  const PlantNode& node = plant.Node(index);
  plant.SlotCounters(node.parent)[node.slot] -= 1;
  plant.Node(node.parent).childCount -= 1;
  KillSubtree(plant, index);

  // One pass computes every survivor's new index, a second moves the survivors down and
  // renumbers their references. References of survivors never point into the removed subtree
  // (they are ancestors, and an ancestor in the subtree would put the survivor in it too).
  const int32_t oldCount = record.nodeCount;
  int32_t* newIndex = plant.renumber.get();
  int32_t next = index;
  for (int32_t a = index; a < oldCount; ++a) {
    if (newIndex[a] != kRemoved) {
      newIndex[a] = next++;
    }
  }
  const size_t nodeSize = static_cast<uint32_t>(record.nodeSize);
  for (int32_t a = index; a < oldCount; ++a) {
    if (newIndex[a] == kRemoved) {
      continue;
    }
    PlantNode& moved = plant.Node(a);
    moved.parent = Renumbered(newIndex, index, moved.parent);
    moved.frameRef = Renumbered(newIndex, index, moved.frameRef);
    moved.tropismRef = Renumbered(newIndex, index, moved.tropismRef);
    if (newIndex[a] != a) {
      std::memcpy(plant.NodeBytes(newIndex[a]), plant.NodeBytes(a), nodeSize);
    }
  }
  std::memset(plant.NodeBytes(next), 0, static_cast<size_t>(oldCount - next) * nodeSize);
  record.nodeCount = next;
}

PlantNode* AddNode(int32_t parentIndex, uint8_t slot) { return AddNode(CurrentPlant(), parentIndex, slot); }

void KillSubtree(int32_t index) { KillSubtree(CurrentPlant(), index); }

void RemoveDeadNodes(int32_t index) { RemoveDeadNodes(CurrentPlant(), index); }

}  // namespace plant
