// Damaged plant files made by mutating the default species: each row is one fault and the exact
// result the loader must give. None may crash (the native run has ASan and UBSan, and the same
// rows run under Wine).
#include "plant/plant_validator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "plant/plant_file.h"
#include "plant/plant_node.h"
#include "plant/shape_data.h"
#include "plant/species.h"
#include "plant/tests/test_plants.h"
#include "tools/species/default_species.h"

namespace {

using plant::LoadResult;
using plant::PlantNode;
using plant::PlantRecord;
using plant_test::Get;
using plant_test::NodeField;
using plant_test::Set;
using Bytes = std::vector<uint8_t>;

LoadResult Load(const Bytes& bytes, std::string* why = nullptr) {
  plant::Plant plant;
  return plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), 0, why);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Offsets of species records in the default species, found by following the file's own offsets.
struct Places {
  size_t stemKind;  // kind of node 2
  size_t stemType;
  size_t leafKind;  // kind of node 3
  size_t leafType;
  size_t leafShape;     // shape table of the leaf type
  size_t leafEntry;     // its first entry
  size_t leafMaterial;  // material of the entry's first face
  size_t leafGradient;  // fill gradient 1 of that material
  size_t potShape;
};

Places Find(const Bytes& bytes) {
  Places p{};
  p.stemKind =
      static_cast<uint32_t>(Get<int32_t>(bytes, NodeField(bytes, 2, offsetof(PlantNode, kindOffset))));
  p.stemType = static_cast<uint32_t>(Get<int32_t>(bytes, p.stemKind));
  p.leafKind =
      static_cast<uint32_t>(Get<int32_t>(bytes, NodeField(bytes, 3, offsetof(PlantNode, kindOffset))));
  p.leafType = static_cast<uint32_t>(Get<int32_t>(bytes, p.leafKind));
  p.leafShape = static_cast<uint32_t>(Get<int32_t>(bytes, p.leafType));
  p.leafEntry = static_cast<uint32_t>(Get<int32_t>(bytes, p.leafShape + sizeof(plant::ShapeTable)));
  p.leafMaterial = static_cast<uint32_t>(Get<int32_t>(bytes, p.leafEntry + sizeof(plant::ShapeEntry)));
  p.leafGradient = static_cast<uint32_t>(Get<int32_t>(bytes, p.leafMaterial));
  const size_t potKind =
      static_cast<uint32_t>(Get<int32_t>(bytes, NodeField(bytes, 1, offsetof(PlantNode, kindOffset))));
  p.potShape =
      static_cast<uint32_t>(Get<int32_t>(bytes, static_cast<uint32_t>(Get<int32_t>(bytes, potKind))));
  return p;
}

struct Mutation {
  const char* name;
  std::function<void(Bytes&, const Places&)> apply;
  LoadResult expected;
};

template <typename T>
std::function<void(Bytes&, const Places&)> SetRecord(size_t offset, T value) {
  return [offset, value](Bytes& b, const Places&) { Set(b, offset, value); };
}

template <typename T>
std::function<void(Bytes&, const Places&)> SetNode(int index, size_t field, T value) {
  return [index, field, value](Bytes& b, const Places&) { Set(b, NodeField(b, index, field), value); };
}

std::function<void(Bytes&, const Places&)> TruncateTo(size_t size) {
  return [size](Bytes& b, const Places&) { b.resize(std::min(size, b.size())); };
}

const std::vector<Mutation>& Mutations() {
  static const std::vector<Mutation> rows = {
      // Truncations.
      {"empty file", TruncateTo(0), LoadResult::Invalid},
      {"cut inside the fixed fields", TruncateTo(10671), LoadResult::Invalid},
      {"cut one byte before the record's end",
       [](Bytes& b, const Places&) { b.resize(plant_test::RecordSizeOf(b) - 1); }, LoadResult::Invalid},
      {"cut one byte before the last node's end", [](Bytes& b, const Places&) { b.pop_back(); }, LoadResult::Invalid},
      // Signature.
      {"ninth letter in the signature", SetRecord(offsetof(PlantRecord, signature) + 8, 's'), LoadResult::BadSignature},
      {"signature cut short", SetRecord(offsetof(PlantRecord, signature) + 7, '\0'), LoadResult::BadSignature},
      // Sizes and counts.
      {"recordSize 0", SetRecord(offsetof(PlantRecord, recordSize), 0), LoadResult::Invalid},
      {"recordSize below the fixed fields", SetRecord(offsetof(PlantRecord, recordSize), 10671), LoadResult::Invalid},
      {"recordSize -1", SetRecord(offsetof(PlantRecord, recordSize), -1), LoadResult::Invalid},
      {"recordSize 2^31-1", SetRecord(offsetof(PlantRecord, recordSize), INT32_MAX), LoadResult::Invalid},
      {"recordSize past the file", SetRecord(offsetof(PlantRecord, recordSize), 1 << 20), LoadResult::Invalid},
      {"nodeSize 303", SetRecord(offsetof(PlantRecord, nodeSize), 303), LoadResult::Invalid},
      {"nodeSize without room for the slot counters", SetRecord(offsetof(PlantRecord, nodeSize), 304),
       LoadResult::Invalid},
      {"nodeSize huge", SetRecord(offsetof(PlantRecord, nodeSize), 1 << 30), LoadResult::Invalid},
      {"nodeCount 0", SetRecord(offsetof(PlantRecord, nodeCount), 0), LoadResult::Invalid},
      {"nodeCount -1", SetRecord(offsetof(PlantRecord, nodeCount), -1), LoadResult::Invalid},
      {"nodeCount 2^31-1", SetRecord(offsetof(PlantRecord, nodeCount), INT32_MAX), LoadResult::Invalid},
      {"nodeCount past the file", SetRecord(offsetof(PlantRecord, nodeCount), 6), LoadResult::Invalid},
      {"nodeCapacityIncrement 0", SetRecord(offsetof(PlantRecord, nodeCapacityIncrement), 0), LoadResult::Invalid},
      {"nodeCapacityIncrement -5", SetRecord(offsetof(PlantRecord, nodeCapacityIncrement), -5), LoadResult::Invalid},
      {"secondsPerStep 0", SetRecord(offsetof(PlantRecord, secondsPerStep), 0), LoadResult::Invalid},
      {"secondsPerStep -60", SetRecord(offsetof(PlantRecord, secondsPerStep), -60), LoadResult::Invalid},
      {"maxShapeFaces -1", SetRecord(offsetof(PlantRecord, maxShapeFaces), -1), LoadResult::Invalid},
      {"faces above maxShapeFaces", SetRecord(offsetof(PlantRecord, maxShapeFaces), 2), LoadResult::Invalid},
      {"vertices above maxShapeVertices", SetRecord(offsetof(PlantRecord, maxShapeVertices), 8), LoadResult::Invalid},
      // Fixed doubles and text.
      {"pixelScale 0", SetRecord(offsetof(PlantRecord, pixelScale), 0.0), LoadResult::Invalid},
      {"sizeFactor NaN", SetRecord(offsetof(PlantRecord, sizeFactor), kNaN), LoadResult::Invalid},
      {"temperature infinite", SetRecord(offsetof(PlantRecord, temperature), kInfinity), LoadResult::Invalid},
      {"rectRight NaN", SetRecord(offsetof(PlantRecord, rectRight), kNaN), LoadResult::Invalid},
      {"maxHeight negative", SetRecord(offsetof(PlantRecord, maxHeight), -0.5), LoadResult::Invalid},
      {"lightDirection NaN", SetRecord(offsetof(PlantRecord, lightDirection) + 8, kNaN), LoadResult::Invalid},
      {"careTips without NUL",
       [](Bytes& b, const Places&) { std::memset(b.data() + offsetof(PlantRecord, careTips), 'x', 512); },
       LoadResult::Invalid},
      // Record curves.
      {"curve offset -8", SetRecord(offsetof(PlantRecord, seasonCurve), -8), LoadResult::Invalid},
      {"curve offset past the record",
       [](Bytes& b, const Places&) {
         Set(b, offsetof(PlantRecord, waterEffectCurve), static_cast<int32_t>(plant_test::RecordSizeOf(b)));
       },
       LoadResult::Invalid},
      {"curve table running past the record",
       [](Bytes& b, const Places&) {
         Set(b, offsetof(PlantRecord, waterEffectCurve), static_cast<int32_t>(plant_test::RecordSizeOf(b) - 40));
       },
       LoadResult::Invalid},
      {"curve table over the fixed fields", SetRecord(offsetof(PlantRecord, lightEffectCurve), 9100),
       LoadResult::Invalid},
      {"curve x scale 0", SetRecord(offsetof(PlantRecord, temperatureEffectCurve) + 8, 0.0), LoadResult::Invalid},
      {"curve y scale NaN", SetRecord(offsetof(PlantRecord, temperatureEffectCurve) + 16, kNaN), LoadResult::Invalid},
      {"curve count 0",
       [](Bytes& b, const Places&) {
         Set(b, static_cast<uint32_t>(Get<int32_t>(b, offsetof(PlantRecord, waterUseByCount))), 0.0);
       },
       LoadResult::Invalid},
      {"curve count NaN",
       [](Bytes& b, const Places&) {
         Set(b, static_cast<uint32_t>(Get<int32_t>(b, offsetof(PlantRecord, waterUseByCount))), kNaN);
       },
       LoadResult::Invalid},
      {"curve count 1e12",
       [](Bytes& b, const Places&) {
         Set(b, static_cast<uint32_t>(Get<int32_t>(b, offsetof(PlantRecord, waterUseByCount))), 1e12);
       },
       LoadResult::Invalid},
      {"curve x descending",
       [](Bytes& b, const Places&) {
         const size_t table = static_cast<uint32_t>(Get<int32_t>(b, offsetof(PlantRecord, waterUseByCount)));
         Set(b, table + 32 + 16, -5.0);  // second point's x below the first's
       },
       LoadResult::Invalid},
      {"curve point infinite",
       [](Bytes& b, const Places&) {
         const size_t table = static_cast<uint32_t>(Get<int32_t>(b, offsetof(PlantRecord, waterUseByCount)));
         Set(b, table + 32 + 8, kInfinity);
       },
       LoadResult::Invalid},
      {"repeat with no period",
       [](Bytes& b, const Places&) {
         const size_t table = static_cast<uint32_t>(Get<int32_t>(b, offsetof(PlantRecord, waterUseByCount)));
         Set(b, table + 8, 3.0);
         Set(b, table + 16, 5.0);
         Set(b, table + 24, 5.0);
       },
       LoadResult::Invalid},
      {"maxRepeats negative",
       [](Bytes& b, const Places&) {
         const size_t table = static_cast<uint32_t>(Get<int32_t>(b, offsetof(PlantRecord, waterUseByCount)));
         Set(b, table + 8, -1.0);
       },
       LoadResult::Invalid},
      // Species records.
      {"kind offset outside", SetNode(2, offsetof(PlantNode, kindOffset), int32_t{-88}), LoadResult::Invalid},
      {"kind offset over the fixed fields", SetNode(2, offsetof(PlantNode, kindOffset), int32_t{9064}),
       LoadResult::Invalid},
      {"kind offset not aligned", SetNode(3, offsetof(PlantNode, kindOffset), int32_t{10676}), LoadResult::Invalid},
      {"type offset outside", [](Bytes& b, const Places& p) { Set(b, p.stemKind, int32_t{0x7FFFFFF8}); },
       LoadResult::Invalid},
      {"child kind outside", [](Bytes& b, const Places& p) { Set(b, p.stemKind + 88, int32_t{-1}); },
       LoadResult::Invalid},
      {"orientation outside", [](Bytes& b, const Places& p) { Set(b, p.stemKind + 88 + 32, int32_t{1 << 30}); },
       LoadResult::Invalid},
      {"slot maxCount 200", [](Bytes& b, const Places& p) { b[p.stemKind + 88 + 4] = 200; }, LoadResult::Invalid},
      {"size curve x scale 0", [](Bytes& b, const Places& p) { Set(b, p.leafKind + 8 + 8, 0.0); },
       LoadResult::Invalid},
      {"type value NaN", [](Bytes& b, const Places& p) { Set(b, p.leafType + 432, kNaN); }, LoadResult::Invalid},
      {"tropismOperation 7", [](Bytes& b, const Places& p) { Set(b, p.leafType + 40, int32_t{7}); },
       LoadResult::Invalid},
      {"tropismAxes 6", [](Bytes& b, const Places& p) { Set(b, p.leafType + 44, int32_t{6}); }, LoadResult::Invalid},
      {"tropismAxes INT_MIN", [](Bytes& b, const Places& p) { Set(b, p.leafType + 44, INT32_MIN); },
       LoadResult::Invalid},
      {"type curve table outside", [](Bytes& b, const Places& p) { Set(b, p.leafType + 464, int32_t{-4}); },
       LoadResult::Invalid},
      // Renderer data.
      {"shape table outside", [](Bytes& b, const Places& p) { Set(b, p.leafType, int32_t{1 << 24}); },
       LoadResult::Invalid},
      {"shape stage count huge", [](Bytes& b, const Places& p) { Set(b, p.leafShape, uint32_t{0x40000000}); },
       LoadResult::Invalid},
      {"shape grid of one column", [](Bytes& b, const Places& p) { Set(b, p.leafShape + 8, uint32_t{1}); },
       LoadResult::Invalid},
      {"shape compact x scale 0", [](Bytes& b, const Places& p) { Set(b, p.leafShape + 24 + 4, uint32_t{0}); },
       LoadResult::Invalid},
      {"entry offset outside", [](Bytes& b, const Places& p) { Set(b, p.leafShape + 72, int32_t{-72}); },
       LoadResult::Invalid},
      {"entry denominator 0", [](Bytes& b, const Places& p) { Set(b, p.leafEntry, uint32_t{0}); },
       LoadResult::Invalid},
      {"vertex list outside", [](Bytes& b, const Places& p) { Set(b, p.leafEntry + 8, int32_t{0x7FFFFFF0}); },
       LoadResult::Invalid},
      {"face with no corners", [](Bytes& b, const Places& p) { Set(b, p.leafEntry + 16 + 4, uint32_t{0}); },
       LoadResult::Invalid},
      {"face with more corners than the maximum",
       [](Bytes& b, const Places& p) { Set(b, p.leafEntry + 16 + 4, uint32_t{1000}); }, LoadResult::Invalid},
      {"vertex index past the entry", [](Bytes& b, const Places& p) { Set(b, p.leafEntry + 16 + 8, uint32_t{9}); },
       LoadResult::Invalid},
      {"material outside", [](Bytes& b, const Places& p) { Set(b, p.leafEntry + 16, int32_t{-1}); },
       LoadResult::Invalid},
      {"gradient outside", [](Bytes& b, const Places& p) { Set(b, p.leafMaterial + 20, int32_t{1 << 28}); },
       LoadResult::Invalid},
      {"gradient with no stops", [](Bytes& b, const Places& p) { Set(b, p.leafGradient, int32_t{0}); },
       LoadResult::Invalid},
      {"gradient with too many stops", [](Bytes& b, const Places& p) { Set(b, p.leafGradient, int32_t{100000}); },
       LoadResult::Invalid},
      {"stop offset outside", [](Bytes& b, const Places& p) { Set(b, p.leafGradient + 16, int32_t{-4}); },
       LoadResult::Invalid},
      {"stop palette byte 0x84",
       [](Bytes& b, const Places& p) { b[static_cast<uint32_t>(Get<int32_t>(b, p.leafGradient + 16))] = 0x84; },
       LoadResult::Invalid},
      {"pot stop palette byte 0xFF",
       [](Bytes& b, const Places& p) {
         const size_t entry = static_cast<uint32_t>(Get<int32_t>(b, p.potShape + 72));
         const size_t material = static_cast<uint32_t>(Get<int32_t>(b, entry + 16));
         const size_t gradient = static_cast<uint32_t>(Get<int32_t>(b, material));
         b[static_cast<uint32_t>(Get<int32_t>(b, gradient + 16))] = 0xFF;
       },
       LoadResult::Invalid},
      // Nodes.
      {"node 0 with a parent", SetNode(0, offsetof(PlantNode, parent), int32_t{0}), LoadResult::Invalid},
      {"parent is the node itself", SetNode(2, offsetof(PlantNode, parent), int32_t{2}), LoadResult::Invalid},
      {"parent is a later node (cycle)", SetNode(2, offsetof(PlantNode, parent), int32_t{3}), LoadResult::Invalid},
      {"parent -1 below node 0", SetNode(3, offsetof(PlantNode, parent), int32_t{-1}), LoadResult::Invalid},
      {"slot not in the parent's kind", SetNode(3, offsetof(PlantNode, slot), uint8_t{5}), LoadResult::Invalid},
      {"frameRef to a sibling", SetNode(4, offsetof(PlantNode, frameRef), int32_t{3}), LoadResult::Invalid},
      {"frameRef to a later node", SetNode(3, offsetof(PlantNode, frameRef), int32_t{4}), LoadResult::Invalid},
      {"tropismRef negative", SetNode(3, offsetof(PlantNode, tropismRef), int32_t{-2}), LoadResult::Invalid},
      {"waterState NaN", SetNode(3, offsetof(PlantNode, waterState), kNaN), LoadResult::Invalid},
      {"fertiliserState infinite", SetNode(4, offsetof(PlantNode, fertiliserState), kInfinity), LoadResult::Invalid},
      {"node 0 axis NaN", SetNode(0, offsetof(PlantNode, axisZ), kNaN), LoadResult::Invalid},
      {"waterTrend 2", SetNode(3, offsetof(PlantNode, waterTrend), int8_t{2}), LoadResult::Invalid},
      {"node 0 fertiliserTrend -2 (its children inherit it)", SetNode(0, offsetof(PlantNode, fertiliserTrend), int8_t{-2}),
       LoadResult::Invalid},
      {"upLocal not unit", SetNode(3, offsetof(PlantNode, upLocal) + 8, 2.0), LoadResult::Invalid},
      {"upLocal along directionLocal",
       [](Bytes& b, const Places&) {
         for (size_t k = 0; k < 3; ++k) {
           Set(b, NodeField(b, 2, offsetof(PlantNode, upLocal) + 8 * k),
               Get<double>(b, NodeField(b, 2, offsetof(PlantNode, directionLocal) + 8 * k)));
         }
       },
       LoadResult::Invalid},
      {"childCount too high", SetNode(2, offsetof(PlantNode, childCount), uint32_t{3}), LoadResult::Invalid},
      {"slot counter too low", SetNode(2, plant::kNodeFixedSize, uint8_t{1}), LoadResult::Invalid},
  };
  return rows;
}

TEST(PlantValidator, DefaultSpeciesIsValid) {
  std::string why;
  EXPECT_EQ(Load(plant_test::DefaultPlantBytes(), &why), LoadResult::Ok) << why;
}

TEST(PlantValidator, EveryMutationIsRefusedWithItsCode) {
  const Bytes original = plant_test::DefaultPlantBytes();
  ASSERT_FALSE(original.empty());
  const Places places = Find(original);
  for (const Mutation& row : Mutations()) {
    Bytes bytes = original;
    row.apply(bytes, places);
    std::string why;
    EXPECT_EQ(Load(bytes, &why), row.expected) << row.name;
    EXPECT_FALSE(why.empty()) << row.name;
  }
}

// Every i32 of the species area that holds a record offset, pointed at each kind of wrong place.
TEST(PlantValidator, EveryRecordCurveOffsetPointedOutsideIsRefused) {
  const Bytes original = plant_test::DefaultPlantBytes();
  const size_t curveFields[] = {
      offsetof(PlantRecord, waterUseByCount),        offsetof(PlantRecord, waterUseByTemperature),
      offsetof(PlantRecord, fertiliserUseByCount),   offsetof(PlantRecord, seasonCurve),
      offsetof(PlantRecord, temperatureEffectCurve), offsetof(PlantRecord, lightEffectCurve),
      offsetof(PlantRecord, waterEffectCurve),       offsetof(PlantRecord, fertiliserEffectCurve),
      offsetof(PlantRecord, trendChanceByStep)};
  const int32_t recordSize = static_cast<int32_t>(plant_test::RecordSizeOf(original));
  for (const size_t field : curveFields) {
    for (const int32_t bad : {INT32_MIN, -1, 9064, 10640, recordSize - 8, recordSize, INT32_MAX}) {
      Bytes bytes = original;
      Set(bytes, field, bad);
      EXPECT_EQ(Load(bytes), LoadResult::Invalid) << "field " << field << " offset " << bad;
    }
  }
}

TEST(PlantValidator, EveryTruncationIsRefused) {
  const Bytes original = plant_test::DefaultPlantBytes();
  // Lengths from 0 up through the fixed fields, the species data and the nodes.
  for (size_t size = 0; size < original.size(); size += (size < 10700 ? 97 : 7)) {
    Bytes bytes(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_EQ(Load(bytes), LoadResult::Invalid) << size;
  }
}

// Growth makes these from finite species data (an age falling through the dead mark, curves that
// overflow or give no number); a plant holding them must load again.
TEST(PlantValidator, NumbersThatGrowthCanMakeAreAccepted) {
  const Bytes original = plant_test::DefaultPlantBytes();
  const std::pair<const char*, std::function<void(Bytes&)>> rows[] = {
      {"age exactly -1.0", [](Bytes& b) { Set(b, NodeField(b, 3, offsetof(PlantNode, age)), -1.0); }},
      {"age NaN", [](Bytes& b) { Set(b, NodeField(b, 2, offsetof(PlantNode, age)), kNaN); }},
      {"width factor -infinity",
       [](Bytes& b) { Set(b, NodeField(b, 3, offsetof(PlantNode, widthFactor)), -kInfinity); }},
      {"rate infinite",
       [](Bytes& b) { Set(b, NodeField(b, 3, offsetof(PlantNode, waterRiseRate)), kInfinity); }},
      {"position NaN", [](Bytes& b) { Set(b, NodeField(b, 4, offsetof(PlantNode, position) + 16), kNaN); }},
      {"water level -infinity", [](Bytes& b) { Set(b, offsetof(PlantRecord, waterLevel), -kInfinity); }},
      {"water effect NaN", [](Bytes& b) { Set(b, offsetof(PlantRecord, waterEffect), kNaN); }},
  };
  for (const auto& [name, apply] : rows) {
    Bytes bytes = original;
    apply(bytes);
    std::string why;
    EXPECT_EQ(Load(bytes, &why), LoadResult::Ok) << name << ": " << why;
  }
}

// A kind may have as many child slots as a node has counter bytes (nodeSize - 304), not one more:
// the next counter would be the following node's first byte.
TEST(PlantValidator, SlotCountersFillTheNodeExactly) {
  species::Species full = species::DefaultSpecies();
  species::Kind& kind = full.kinds[2];
  while (kind.slots.size() < 8) kind.slots.push_back(kind.slots[0]);
  Bytes bytes;
  std::string why;
  ASSERT_TRUE(species::BuildPlantFile(full, &bytes, &why)) << why;
  ASSERT_EQ(Get<int32_t>(bytes, offsetof(PlantRecord, nodeSize)), 312);  // 8 counters
  EXPECT_EQ(Load(bytes, &why), LoadResult::Ok) << why;
  const size_t kindOffset =
      static_cast<uint32_t>(Get<int32_t>(bytes, NodeField(bytes, 2, offsetof(PlantNode, kindOffset))));
  ASSERT_EQ(bytes[kindOffset + offsetof(plant::NodeKind, slotCount)], 8);
  bytes[kindOffset + offsetof(plant::NodeKind, slotCount)] = 9;
  EXPECT_EQ(Load(bytes, &why), LoadResult::Invalid);
  EXPECT_NE(why.find("more child slots than a node has counters"), std::string::npos) << why;
}

TEST(PlantValidator, TrailingBytesAndSignatureTailAreAccepted) {
  Bytes bytes = plant_test::DefaultPlantBytes();
  Set(bytes, offsetof(PlantRecord, signature) + 9, 'j');  // after the NUL
  bytes.push_back(0xAB);
  EXPECT_EQ(Load(bytes), LoadResult::Ok);
}

TEST(PlantValidator, DeadPlantOfOneNodeLoads) {
  species::Species dead = species::DefaultSpecies();
  dead.nodes.clear();
  Bytes bytes;
  std::string why;
  ASSERT_TRUE(species::BuildPlantFile(dead, &bytes, &why)) << why;
  plant::Plant plant;
  ASSERT_EQ(plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), 0, &why), LoadResult::Ok) << why;
  EXPECT_EQ(plant.Record().nodeCount, 1);
}

TEST(PlantValidator, KindThatMakesItsOwnKindIsAccepted) {
  species::Species cyclic = species::DefaultSpecies();
  for (species::Kind& kind : cyclic.kinds) {
    if (kind.name == "main6") {
      species::Slot again;
      again.childKind = "main1";
      kind.slots.push_back(again);
    }
  }
  Bytes bytes;
  std::string why;
  ASSERT_TRUE(species::BuildPlantFile(cyclic, &bytes, &why)) << why;
  EXPECT_EQ(Load(bytes), LoadResult::Ok);
}

TEST(PlantValidator, RefusedFileLeavesTheLoadedPlantAlone) {
  const Bytes good = plant_test::DefaultPlantBytes();
  plant::Plant plant;
  ASSERT_EQ(plant::LoadPlantBytes(plant, good.data(), good.size(), 0, nullptr), LoadResult::Ok);
  const uint8_t* record = plant.record.get();
  Bytes bad = good;
  Set(bad, NodeField(bad, 3, offsetof(PlantNode, waterState)), kNaN);
  EXPECT_EQ(plant::LoadPlantBytes(plant, bad.data(), bad.size(), 0, nullptr), LoadResult::Invalid);
  EXPECT_EQ(plant.record.get(), record);
  EXPECT_EQ(plant.Record().nodeCount, 5);
}

}  // namespace
