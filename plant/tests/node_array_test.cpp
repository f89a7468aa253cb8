// Appending, killing and removing nodes on the default species: counters, renumbering, the zero
// tail, growth of the array, and a randomised run against a simple model of the tree.
#include "plant/node_array.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "plant/plant_file.h"
#include "plant/species.h"
#include "plant/tests/test_plants.h"

namespace {

using plant::Plant;

// Loads the default species: node 0 anchor, 1 pot, 2 first stem piece, 3 and 4 its leaves.
void LoadDefault(Plant& plant) {
  const std::vector<uint8_t> bytes = plant_test::DefaultPlantBytes();
  ASSERT_FALSE(bytes.empty());
  std::string why;
  ASSERT_EQ(plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), 0, &why), plant::LoadResult::Ok) << why;
}

// Appends a child by slot of parent with its kind and frame references set as a spawn would.
int32_t Spawn(Plant& plant, int32_t parent, uint8_t slot, double age = 1.0) {
  plant::PlantNode* child = plant::AddNode(plant, parent, slot);
  EXPECT_NE(child, nullptr);
  const plant::NodeKind* kind = plant::KindAt(plant.record.get(), plant.Node(parent).kindOffset);
  child->kindOffset = plant::SlotsOf(kind)[slot].childKindOffset;
  child->frameRef = parent;
  child->tropismRef = parent;
  child->age = age;
  return plant.Record().nodeCount - 1;
}

bool TailIsZero(Plant& plant) {
  const plant::PlantRecord& record = plant.Record();
  const uint8_t* first = plant.NodeBytes(record.nodeCount);
  const uint8_t* end = plant.NodeBytes(record.nodeCapacity + 1);
  for (const uint8_t* at = first; at != end; ++at) {
    if (*at != 0) {
      return false;
    }
  }
  return true;
}

TEST(AddNode, WritesParentAndSlotAndCountsTheChild) {
  Plant plant;
  LoadDefault(plant);
  const int32_t leaf = Spawn(plant, 2, 0);
  EXPECT_EQ(leaf, 5);
  EXPECT_EQ(plant.Node(5).parent, 2);
  EXPECT_EQ(plant.Node(5).slot, 0);
  EXPECT_EQ(plant.Node(2).childCount, 3u);
  EXPECT_EQ(plant.SlotCounters(2)[0], 3);
  EXPECT_EQ(plant.Node(5).waterState, 0.0);  // born zeroed
  EXPECT_TRUE(TailIsZero(plant));
}

TEST(AddNode, GrowingTheArrayKeepsEveryNodeByteForByte) {
  Plant plant;
  LoadDefault(plant);
  plant::PlantRecord& record = plant.Record();
  ASSERT_EQ(record.nodeCapacity, record.nodeCount);
  const size_t nodeBytes = static_cast<size_t>(record.nodeCount) * static_cast<uint32_t>(record.nodeSize);
  const std::vector<uint8_t> before(plant.nodes.get(), plant.nodes.get() + nodeBytes);
  Spawn(plant, 2, 1);
  EXPECT_EQ(record.nodeCapacity, 5 + record.nodeCapacityIncrement);
  // Node 2 gained a child; every other byte of the old nodes is unchanged.
  for (size_t i = 0; i < nodeBytes; ++i) {
    const size_t node = i / static_cast<uint32_t>(record.nodeSize);
    if (node != 2) {
      ASSERT_EQ(plant.nodes[i], before[i]) << "byte " << i;
    }
  }
  EXPECT_TRUE(TailIsZero(plant));
}

TEST(AddNode, ArrayThatCannotGrowMakesNoChildAndChangesNothing) {
  Plant plant;
  LoadDefault(plant);
  plant::PlantRecord& record = plant.Record();
  // Pretend the array is at the engine's limit: growing would pass the node cap.
  record.nodeCapacityIncrement = plant::kMaxNodeCount;
  EXPECT_EQ(plant::AddNode(plant, 2, 0), nullptr);
  EXPECT_EQ(record.nodeCount, 5);
  EXPECT_EQ(plant.Node(2).childCount, 2u);
  EXPECT_EQ(plant.SlotCounters(2)[0], 2);
}

TEST(AddNode, GrowthNeverPassesTheByteCap) {
  Plant plant;
  LoadDefault(plant);
  plant::PlantRecord& record = plant.Record();
  const uint64_t nodeSize = static_cast<uint32_t>(record.nodeSize);
  // Enough room for one more node would take the array just past the cap, while the node count
  // stays under its own limit: only the byte cap can refuse it.
  record.nodeCapacityIncrement = static_cast<int32_t>(plant::kMaxNodeArrayBytes / nodeSize) - record.nodeCapacity;
  ASSERT_LE(record.nodeCapacity + record.nodeCapacityIncrement, plant::kMaxNodeCount);
  ASSERT_GT((static_cast<uint64_t>(record.nodeCapacity + record.nodeCapacityIncrement) + 1) * nodeSize,
            plant::kMaxNodeArrayBytes);
  EXPECT_EQ(plant::AddNode(plant, 2, 0), nullptr);
  EXPECT_EQ(record.nodeCount, 5);
  EXPECT_EQ(plant.Node(2).childCount, 2u);
  record.nodeCapacityIncrement -= 1;  // exactly at the cap: allowed
  EXPECT_NE(plant::AddNode(plant, 2, 0), nullptr);
  EXPECT_EQ(record.nodeCount, 6);
}

TEST(RemoveDeadNodes, RemovingALeafRenumbersLaterNodes) {
  Plant plant;
  LoadDefault(plant);
  const int32_t next = Spawn(plant, 2, 1);     // 5: second stem piece
  const int32_t leaf = Spawn(plant, next, 0);  // 6: its leaf
  plant.Node(leaf).frameRef = next;
  plant.Node(leaf).tropismRef = 1;
  plant.Node(4).widthFactor = 0.625;  // marks the second seed leaf
  plant::RemoveDeadNodes(plant, 3);
  EXPECT_EQ(plant.Record().nodeCount, 6);
  EXPECT_EQ(plant.Node(2).childCount, 2u);
  EXPECT_EQ(plant.SlotCounters(2)[0], 1);
  EXPECT_EQ(plant.SlotCounters(2)[1], 1);
  EXPECT_EQ(plant.Node(3).widthFactor, 0.625);  // the other seed leaf slid into index 3
  EXPECT_EQ(plant.Node(4).parent, 2);           // the second piece is now 4
  EXPECT_EQ(plant.Node(5).parent, 4);           // and its leaf 5 follows it
  EXPECT_EQ(plant.Node(5).frameRef, 4);
  EXPECT_EQ(plant.Node(5).tropismRef, 1);  // references below the removed node stay
  EXPECT_TRUE(TailIsZero(plant));
}

TEST(RemoveDeadNodes, ThreeGenerationsGoInOneCall) {
  Plant plant;
  LoadDefault(plant);
  const int32_t second = Spawn(plant, 2, 1);       // 5
  const int32_t third = Spawn(plant, second, 1);   // 6
  const int32_t leafA = Spawn(plant, third, 0);    // 7
  const int32_t branch = Spawn(plant, second, 2);  // 8, child of 5
  const int32_t leafB = Spawn(plant, 2, 0);        // 9, survives: child of 2
  (void)leafA;
  (void)branch;
  (void)leafB;
  plant::RemoveDeadNodes(plant, second);
  EXPECT_EQ(plant.Record().nodeCount, 6);
  EXPECT_EQ(plant.Node(5).parent, 2);  // the surviving leaf moved from 9 to 5
  EXPECT_EQ(plant.Node(2).childCount, 3u);
  EXPECT_EQ(plant.SlotCounters(2)[1], 0);
  EXPECT_TRUE(TailIsZero(plant));
}

TEST(RemoveDeadNodes, LivingNodeWithAgeMinusOneStays) {
  Plant plant;
  LoadDefault(plant);
  const int32_t second = Spawn(plant, 2, 1);
  plant.Node(4).age = plant::kDeadAge;  // reachable by growth with negative rates
  plant::RemoveDeadNodes(plant, second);
  EXPECT_EQ(plant.Record().nodeCount, 5);
  EXPECT_EQ(plant.Node(4).parent, 2);
  EXPECT_EQ(plant.Node(2).childCount, 2u);
}

TEST(KillSubtree, MarksTheNodeAndEveryDescendantOnly) {
  Plant plant;
  LoadDefault(plant);
  const int32_t second = Spawn(plant, 2, 1);
  const int32_t leaf = Spawn(plant, second, 0);
  plant::KillSubtree(plant, second);
  EXPECT_EQ(plant.Node(second).age, plant::kDeadAge);
  EXPECT_EQ(plant.Node(leaf).age, plant::kDeadAge);
  EXPECT_NE(plant.Node(3).age, plant::kDeadAge);
  EXPECT_NE(plant.Node(2).age, plant::kDeadAge);
}

// A model of the tree (parent per node, in order) follows random appends and removals; after
// each operation the array must match it, with exact counters and a zero tail.
TEST(NodeArrayModel, RandomAppendsAndRemovalsKeepTheInvariants) {
  Plant plant;
  LoadDefault(plant);
  std::mt19937 random(12345);
  std::vector<int32_t> model{-1, 0, 1, 2, 2};
  for (int round = 0; round < 400; ++round) {
    const int32_t count = plant.Record().nodeCount;
    if (count > 3 && random() % 3 == 0) {
      const int32_t victim = 3 + static_cast<int32_t>(random() % static_cast<uint32_t>(count - 3));
      plant::RemoveDeadNodes(plant, victim);
      std::vector<bool> gone(model.size(), false);
      gone[static_cast<size_t>(victim)] = true;
      std::vector<int32_t> newIndex(model.size(), -1);
      std::vector<int32_t> kept;
      for (size_t j = 0; j < model.size(); ++j) {
        if (j > static_cast<size_t>(victim) && model[j] >= 0 && gone[static_cast<size_t>(model[j])]) {
          gone[j] = true;
        }
        if (!gone[j]) {
          newIndex[j] = static_cast<int32_t>(kept.size());
          kept.push_back(model[j] < 0 ? -1 : newIndex[static_cast<size_t>(model[j])]);
        }
      }
      model = kept;
    } else {
      // Stem pieces carry children; leaves have no slots.
      const int32_t parent = 2 + static_cast<int32_t>(random() % static_cast<uint32_t>(count - 2));
      const plant::NodeKind* kind = plant::KindAt(plant.record.get(), plant.Node(parent).kindOffset);
      if (kind->slotCount == 0) {
        continue;
      }
      Spawn(plant, parent, static_cast<uint8_t>(random() % kind->slotCount));
      model.push_back(parent);
    }
    ASSERT_EQ(plant.Record().nodeCount, static_cast<int32_t>(model.size()));
    std::map<int32_t, uint32_t> children;
    for (size_t j = 1; j < model.size(); ++j) {
      ASSERT_EQ(plant.Node(static_cast<int32_t>(j)).parent, model[j]) << "round " << round << " node " << j;
      ++children[model[j]];
    }
    for (size_t j = 0; j < model.size(); ++j) {
      ASSERT_EQ(plant.Node(static_cast<int32_t>(j)).childCount, children[static_cast<int32_t>(j)]);
    }
    ASSERT_TRUE(TailIsZero(plant));
  }
}

}  // namespace
