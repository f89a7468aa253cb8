// The default species drawn with GDI: a visible potted plant, not a blank or black picture, as a
// seedling and after a simulated year of growth, with a transparent margin on every side.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>
#include <vector>

#include "plant/growth_simulation.h"
#include "plant/node_geometry.h"
#include "plant/plant_file.h"
#include "plant/random.h"
#include "plant/render_gdi_win.h"
#include "plant/tests/fake_render_host_win.h"
#include "tools/species/default_species.h"

namespace plant {
namespace {

struct PictureCensus {
  int32_t width = 0;
  int32_t height = 0;
  double opaqueShare = 0;   // opaque pixels over all pixels
  size_t colours = 0;       // distinct opaque colours
  size_t greenPixels = 0;   // leaves and stems: green above red and blue
  size_t potPixels = 0;     // terracotta: red above green above blue
  bool keyed = true;        // alpha 0 exactly on black
  // The box of the opaque pixels.
  int32_t left = INT32_MAX;
  int32_t top = INT32_MAX;
  int32_t right = -1;
  int32_t bottom = -1;
};

// Whether a transparent strip at least `margin` pixels wide lies between the drawing and every
// side of the picture: nothing is cut or touches its edge.
bool HasMargin(const PictureCensus& c, int32_t margin) {
  return c.left >= margin && c.top >= margin && c.right < c.width - margin && c.bottom < c.height - margin;
}

PictureCensus Census(PictureObjects& shown) {
  PictureCensus c;
  c.width = shown.Width();
  c.height = shown.Height();
  std::set<uint32_t> colours;
  size_t opaque = 0;
  const size_t count = static_cast<size_t>(c.width) * c.height;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = shown.bits[i];
    const uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
    if ((p >> 24) != ((p & 0xFFFFFF) == 0 ? 0u : 255u)) c.keyed = false;
    if ((p >> 24) == 0) continue;
    ++opaque;
    const int32_t x = static_cast<int32_t>(i % static_cast<size_t>(c.width));
    const int32_t y = static_cast<int32_t>(i / static_cast<size_t>(c.width));
    c.left = std::min(c.left, x);
    c.right = std::max(c.right, x);
    c.top = std::min(c.top, y);
    c.bottom = std::max(c.bottom, y);
    colours.insert(p);
    if (g > r && g > b) ++c.greenPixels;
    if (r > g && g > b) ++c.potPixels;
  }
  c.opaqueShare = double(opaque) / double(count);
  c.colours = colours.size();
  return c;
}

class DefaultSpeciesRender : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<uint8_t> file;
    std::string why;
    ASSERT_TRUE(species::BuildPlantFile(species::DefaultSpecies(), &file, &why)) << why;
    plant.screenWidth = 1920;
    plant.screenHeight = 1080;
    ASSERT_EQ(LoadPlantBytes(plant, file.data(), file.size(), 1735689600, &why), LoadResult::Ok) << why;
    RefreshNodeFrames(plant);
  }
  Plant plant;
  testing::FakeRenderHost host;
  PlantPicture picture;
};

TEST_F(DefaultSpeciesRender, SeedlingShowsAPotWithAGreenShoot) {
  ASSERT_EQ(RenderPlant(plant, picture, host), RenderOutcome::HandedOver);
  const PictureCensus c = Census(picture.Objects());
  EXPECT_TRUE(c.keyed);
  EXPECT_GE(c.width, 20);
  EXPECT_GE(c.height, 20);
  EXPECT_GT(c.opaqueShare, 0.2);
  EXPECT_LT(c.opaqueShare, 0.98);
  EXPECT_GE(c.colours, 4u);
  EXPECT_GT(c.potPixels, 100u);
  EXPECT_GT(c.greenPixels, 5u);
  EXPECT_TRUE(HasMargin(c, 2));
}

TEST_F(DefaultSpeciesRender, AYearOldPlantIsTallerWithManyLeaves) {
  ASSERT_EQ(RenderPlant(plant, picture, host), RenderOutcome::HandedOver);
  const PictureCensus seedling = Census(picture.Objects());
  plant.Record().flags |= kAutoCare;
  SeedRandom(1);
  SimulatePlant(plant, static_cast<uint32_t>(365 * 86400 / plant.Record().secondsPerStep));
  RefreshNodeFrames(plant);
  ASSERT_EQ(RenderPlant(plant, picture, host), RenderOutcome::HandedOver);
  const PictureCensus year = Census(picture.Objects());
  EXPECT_TRUE(year.keyed);
  EXPECT_GT(year.height, 2 * seedling.height);
  EXPECT_GT(year.opaqueShare, 0.1);
  EXPECT_GE(year.colours, 8u);
  EXPECT_GT(year.greenPixels, 20 * seedling.greenPixels);
  EXPECT_GT(year.potPixels, 100u);
  EXPECT_TRUE(HasMargin(year, 2)) << year.left << "," << year.top << " to " << year.right << "," << year.bottom
                                  << " in " << year.width << "x" << year.height;
}

}  // namespace
}  // namespace plant
