// The default species as the renderer will see it: every drawn node picks an entry inside its
// shape table, samples the colour grid and the gradients inside their bounds, faces the viewer
// with its front faces, and the drawn plant has height and width from the first moment; and its
// care tips.
#include "tools/species/default_species.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "plant/curve.h"
#include "plant/plant_file.h"
#include "plant/shape_data.h"
#include "plant/species.h"
#include "tools/species/species_builder.h"

namespace {

using plant::Vec3;

template <typename T>
T Read(const uint8_t* record, int64_t offset) {
  T value;
  std::memcpy(&value, record + offset, sizeof value);
  return value;
}

double Evaluate(const uint8_t* record, const plant::CompactCurveRef& ref, double x) {
  return plant::EvaluateCurve(record, plant::ToCurveRef(ref), x);
}

Vec3 World(const plant::PlantNode& n, const plant::ShapeVertex& v, uint32_t denominator) {
  const double x = v.x * n.width / denominator;
  const double y = v.y * n.depth / denominator;
  const double z = v.z * n.length / denominator;
  return {n.axisX.x * x + n.axisY.x * y + n.axisZ.x * z + n.position.x,
          n.axisX.y * x + n.axisY.y * y + n.axisZ.y * z + n.position.y,
          n.axisX.z * x + n.axisY.z * y + n.axisZ.z * z + n.position.z};
}

class DefaultSpeciesDrawing : public testing::Test {
 protected:
  void SetUp() override {
    std::vector<uint8_t> bytes;
    std::string why;
    ASSERT_TRUE(species::BuildPlantFile(species::DefaultSpecies(), &bytes, &why)) << why;
    ASSERT_EQ(plant::LoadPlantBytes(plant_, bytes.data(), bytes.size(), 0, &why), plant::LoadResult::Ok)
        << why;
  }
  plant::Plant plant_;
};

TEST_F(DefaultSpeciesDrawing, EveryDrawnNodeStaysInsideItsTablesAndFacesTheViewer) {
  const uint8_t* record = plant_.record.get();
  double minY = 1e300, maxY = -1e300, minZ = 1e300, maxZ = -1e300;
  int drawn = 0;
  for (int32_t i = 1; i < plant_.Record().nodeCount; ++i) {
    const plant::PlantNode& node = plant_.Node(i);
    const plant::NodeType* type = plant::TypeAt(record, plant::KindAt(record, node.kindOffset)->typeOffset);
    const auto table = Read<plant::ShapeTable>(record, type->shapeTableOffset);
    if (table.stageCount == 0) {
      continue;
    }
    ++drawn;
    const double stage = Evaluate(record, table.stageCurve, node.age);
    const double variant = Evaluate(record, table.variantCurve, node.waterState);
    ASSERT_TRUE(stage >= 0.0 && stage < table.stageCount) << "node " << i;
    ASSERT_TRUE(variant >= 0.0 && variant < table.variantCount) << "node " << i;
    const uint32_t index = static_cast<uint32_t>(stage) + static_cast<uint32_t>(variant) * table.stageCount;
    const int32_t entryOffset = Read<int32_t>(record, type->shapeTableOffset + 72 + 4 * index);
    const auto entry = Read<plant::ShapeEntry>(record, entryOffset);
    std::vector<Vec3> world;
    for (uint32_t v = 0; v < entry.vertexCount; ++v) {
      const Vec3 p =
          World(node, Read<plant::ShapeVertex>(record, entry.vertexListOffset + 12 * v), entry.denominator);
      minY = std::min(minY, p.y);
      maxY = std::max(maxY, p.y);
      minZ = std::min(minZ, p.z);
      maxZ = std::max(maxZ, p.z);
      world.push_back(p);
    }
    int64_t face = entryOffset + 16;
    for (uint32_t f = 0; f < entry.faceCount; ++f) {
      const auto head = Read<plant::ShapeFace>(record, face);
      const auto k0 = world[Read<uint32_t>(record, face + 8) & plant::kVertexIndexMask];
      const auto k1 = world[Read<uint32_t>(record, face + 12) & plant::kVertexIndexMask];
      const auto k2 = world[Read<uint32_t>(record, face + 16) & plant::kVertexIndexMask];
      const Vec3 a{k1.x - k0.x, k1.y - k0.y, k1.z - k0.z};
      const Vec3 b{k2.x - k0.x, k2.y - k0.y, k2.z - k0.z};
      const Vec3 n{a.y * b.z - b.y * a.z, a.z * b.x - b.z * a.x, a.x * b.y - b.x * a.y};
      // Faces turn to the viewer (+x), or are seen edge-on (a stem's crossing strip).
      EXPECT_GT(n.x / std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), -0.2)
          << "node " << i << " face " << f << " is a back face";

      const auto material = Read<plant::Material>(record, head.materialOffset);
      const double column = Evaluate(record, material.curveA, node.waterState);
      const double row = Evaluate(record, material.curveB, node.fertiliserState);
      // The grid is sampled at (column + 1, row + 1) as well.
      EXPECT_TRUE(column >= 0.0 && std::trunc(column) + 1 < table.gridRowLength) << "node " << i;
      EXPECT_TRUE(row >= 0.0 && std::trunc(row) + 1 < table.gridRowCount) << "node " << i;
      for (const int32_t gradientOffset : material.gradients) {
        const auto gradient = Read<plant::ColorGradient>(record, gradientOffset);
        const double stop = Evaluate(record, gradient.positionCurve, node.age);
        EXPECT_TRUE(stop >= 0.0 && stop <= gradient.stopCount - 1) << "node " << i;
      }
      face += 8 + 4 * static_cast<int64_t>(head.indexCount);
    }
  }
  EXPECT_EQ(drawn, plant_.Record().nodeCount - 1);
  EXPECT_GT(maxY - minY, 0.5);  // the pot alone is wider than this
  EXPECT_GT(maxZ - minZ, 1.0);  // and taller
}

// The tips read as the dialog's labels do, and name their unit: the Options page may show either.
TEST(DefaultSpeciesTips, SpellAsTheDialogAndNameTheTemperatureUnit) {
  const std::string tips = species::DefaultSpecies().record.careTips;
  EXPECT_NE(tips.find("fertilizer"), std::string::npos);
  EXPECT_EQ(tips.find("fertiliser"), std::string::npos);
  EXPECT_NE(tips.find("18 and 26 \xB0" "C (64 and 79 \xB0" "F)"), std::string::npos);  // 64.4 and 78.8
}

}  // namespace
