// The species builder: the same description always gives the same bytes (and the build's default
// species file is exactly those bytes), and inconsistent descriptions are refused with a reason.
#include "tools/species/species_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/species/default_species.h"
#include "tools/testsupport/wine_path.h"

namespace {

std::string gDefaultSpeciesPath;

std::vector<uint8_t> Build(const species::Species& description, std::string* why = nullptr) {
  std::vector<uint8_t> file;
  std::string reason;
  if (!species::BuildPlantFile(description, &file, &reason)) {
    file.clear();
  }
  if (why != nullptr) {
    *why = reason;
  }
  return file;
}

TEST(SpeciesBuilder, DefaultSpeciesIsDeterministic) {
  const std::vector<uint8_t> first = Build(species::DefaultSpecies());
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(Build(species::DefaultSpecies()), first);
}

TEST(SpeciesBuilder, BuiltDefaultFileEqualsTheDescription) {
  if (gDefaultSpeciesPath.empty()) {
    GTEST_SKIP() << "this tree does not make the default species file";
  }
  std::ifstream in(ToWinePath(gDefaultSpeciesPath), std::ios::binary);
  ASSERT_TRUE(in.good()) << gDefaultSpeciesPath;
  const std::vector<uint8_t> onDisk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(onDisk, Build(species::DefaultSpecies()));
}

TEST(SpeciesBuilder, InconsistentDescriptionsAreRefused) {
  struct Row {
    const char* name;
    void (*spoil)(species::Species&);
  };
  const Row rows[] = {
      {"unknown root kind", [](species::Species& s) { s.rootKind = "tree"; }},
      {"unknown type", [](species::Species& s) { s.kinds[1].type = "cactus"; }},
      {"unknown child kind", [](species::Species& s) { s.kinds[2].slots[0].childKind = "flower"; }},
      {"unknown material", [](species::Species& s) { s.shapes[0].entries[0].faces[0].material = "gold"; }},
      {"unknown gradient", [](species::Species& s) { s.materials[0].fill[3] = "rainbow"; }},
      {"parent after the node", [](species::Species& s) { s.nodes[1].parent = 3; }},
      {"slot the parent lacks", [](species::Species& s) { s.nodes[2].slot = 7; }},
      {"grid of one row", [](species::Species& s) { s.shapes[1].grid.resize(3); }},
      {"vertex past the entry", [](species::Species& s) { s.shapes[0].entries[0].faces[0].corners[0] = 40; }},
      {"seedling without a finite state", [](species::Species& s) { s.nodes[1].waterState = INFINITY; }},
  };
  for (const Row& row : rows) {
    species::Species description = species::DefaultSpecies();
    row.spoil(description);
    std::string why;
    EXPECT_TRUE(Build(description, &why).empty()) << row.name;
    EXPECT_FALSE(why.empty()) << row.name;
  }
}

TEST(SpeciesBuilder, IdenticalCurvesShareOneTable) {
  species::Species one = species::DefaultSpecies();
  species::Species two = species::DefaultSpecies();
  // A second type whose every curve repeats existing ones adds only its own 560 bytes.
  species::Type copy = two.types[3];
  copy.name = "leaf copy";
  two.types.push_back(copy);
  EXPECT_EQ(Build(two).size(), Build(one).size() + 560);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc > 1) {
    gDefaultSpeciesPath = argv[1];
  }
  return RUN_ALL_TESTS();
}
