// The renderer drawing the hand-worked one-square plant into a real DIB section, and the
// hand-over rules around it.
#include "plant/render_gdi_win.h"

#include <gtest/gtest.h>

#include "plant/tests/fake_render_host_win.h"
#include "plant/tests/one_square_fixture.h"

namespace plant {
namespace {

using testing::BuildOneSquare;
using testing::FakeRenderHost;

// DIB pixels are blue, green, red, alpha from the low byte; COLORREFs are red, green, blue.
uint32_t Opaque(uint32_t colorref) {
  return 0xFF000000u | (colorref & 0xFF) << 16 | (colorref & 0xFF00) | (colorref >> 16 & 0xFF);
}

uint32_t PixelAt(PlantPicture& picture, int x, int y) {
  PictureObjects& shown = picture.Objects();
  return shown.bits[y * shown.Width() + x];
}

TEST(RenderGdi, OneSquareLandsInTheDibWithItsColoursAndAlphaKey) {
  Plant plant;
  BuildOneSquare(&plant);
  PlantPicture picture;
  FakeRenderHost host;
  ASSERT_EQ(RenderPlant(plant, picture, host), RenderOutcome::HandedOver);
  PictureObjects& shown = picture.Objects();
  ASSERT_EQ(shown.Width(), 102);
  ASSERT_EQ(shown.Height(), 102);
  EXPECT_EQ(shown.rect.left, 461);
  EXPECT_EQ(shown.rect.top, 573);

  EXPECT_EQ(PixelAt(picture, 50, 50), Opaque(testing::kOneSquareFrontFill));
  EXPECT_EQ(PixelAt(picture, 22, 72), Opaque(testing::kOneSquareFrontFill));
  // Bottom edge (a flipped picture would put it on top), left edge and the single corner pixel.
  EXPECT_EQ(PixelAt(picture, 50, 98), Opaque(testing::kOneSquareFrontEdge));
  EXPECT_EQ(PixelAt(picture, 2, 50), Opaque(testing::kOneSquareFrontEdge));
  EXPECT_EQ(PixelAt(picture, 98, 2), Opaque(testing::kOneSquareFrontEdge));
  // The margin around the drawing stays transparent black on every side.
  for (int i = 0; i < 102; ++i) {
    for (int strip : {0, 1, 99, 100, 101}) {
      EXPECT_EQ(PixelAt(picture, strip, i), 0u);
      EXPECT_EQ(PixelAt(picture, i, strip), 0u);
    }
  }
  for (int i = 0; i < 102 * 102; ++i) {
    const uint32_t p = shown.bits[i];
    ASSERT_EQ(p >> 24, (p & 0xFFFFFF) == 0 ? 0u : 255u) << "pixel " << i;
  }
}

TEST(RenderGdi, HandOverPublishesTheFrameRepaintsTheUnionAndDeletesTheOldPicture) {
  Plant plant;
  BuildOneSquare(&plant);
  PlantPicture picture;
  FakeRenderHost host;
  ASSERT_EQ(RenderPlant(plant, picture, host), RenderOutcome::HandedOver);
  const HDC oldDc = picture.Objects().dc.Get();
  const HBITMAP oldBitmap = picture.Objects().bitmap.Get();
  plant.Record().anchorX = 0.25;  // the new picture moves 256 pixels left
  host.pending = 1;
  host.heldBackChecks = 1;  // a drag began just after the permission: the hand-over asks again
  ASSERT_EQ(RenderPlant(plant, picture, host), RenderOutcome::HandedOver);
  EXPECT_EQ(host.allowedCalls, 3);
  EXPECT_EQ(host.pending.load(), 0);
  ASSERT_EQ(host.frames.size(), 2u);
  EXPECT_EQ(host.frames[1].left, 205);
  EXPECT_DOUBLE_EQ(host.aspect, 1.0);
  ASSERT_EQ(host.updates.size(), 2u);
  EXPECT_EQ(host.updates[1].left, 205);
  EXPECT_EQ(host.updates[1].top, 573);
  EXPECT_EQ(host.updates[1].right, 563);
  EXPECT_EQ(host.updates[1].bottom, 675);
  EXPECT_EQ(GetObjectType(oldDc), 0u);
  EXPECT_EQ(GetObjectType(oldBitmap), 0u);
}

TEST(RenderGdi, RefusedAbortedOrOversizedRendersLeaveEverythingAsItWas) {
  Plant plant;
  BuildOneSquare(&plant);
  PlantPicture picture;
  FakeRenderHost host;
  ASSERT_EQ(RenderPlant(plant, picture, host), RenderOutcome::HandedOver);
  const HDC shownDc = picture.Objects().dc.Get();
  const RECT shownRect = picture.Objects().rect;
  const size_t updates = host.updates.size();
  auto expectUntouched = [&](RenderOutcome outcome, RenderOutcome expected) {
    EXPECT_EQ(outcome, expected);
    EXPECT_EQ(picture.Objects().dc.Get(), shownDc);
    EXPECT_EQ(picture.Objects().rect.left, shownRect.left);
    EXPECT_EQ(host.pending.load(), 1);
    EXPECT_EQ(host.updates.size(), updates);
    EXPECT_EQ(host.frames.size(), updates);
    EXPECT_NE(GetObjectType(shownDc), 0u);
  };
  host.pending = 1;
  host.allowed = false;
  expectUntouched(RenderPlant(plant, picture, host), RenderOutcome::Refused);
  host.allowed = true;
  host.command = 1;
  expectUntouched(RenderPlant(plant, picture, host), RenderOutcome::Aborted);
  // A request while the finished picture waited (a resize adopted during a drag) makes it stale.
  host.command = 0;
  host.redrawWhileAllowing = true;
  expectUntouched(RenderPlant(plant, picture, host), RenderOutcome::Aborted);
  host.redrawWhileAllowing = false;
  host.command = 0;
  plant.Record().minWidth = plant.Record().maxWidth = 1e6;  // a picture a billion pixels wide
  expectUntouched(RenderPlant(plant, picture, host), RenderOutcome::TooLarge);
}

// A plant whose last drawn node died must not keep showing its old picture.
TEST(RenderGdi, PlantWithNothingToDrawHandsOverOneTransparentPixel) {
  Plant plant;
  BuildOneSquare(&plant);
  PlantPicture picture;
  FakeRenderHost host;
  ASSERT_EQ(RenderPlant(plant, picture, host), RenderOutcome::HandedOver);
  plant.Record().nodeCount = 1;
  ASSERT_EQ(RenderPlant(plant, picture, host), RenderOutcome::HandedOver);
  EXPECT_EQ(picture.Objects().Width(), 1);
  EXPECT_EQ(picture.Objects().Height(), 1);
  EXPECT_EQ(picture.Objects().bits[0], 0u);
  EXPECT_EQ(plant.Record().sizeFactor, 1.0);
}

TEST(RenderGdi, RepeatedRendersDeleteEveryReplacedObject) {
  Plant plant;
  BuildOneSquare(&plant);
  PlantPicture picture;
  FakeRenderHost host;
  for (int i = 0; i < 50; ++i) {
    ASSERT_EQ(RenderPlant(plant, picture, host), RenderOutcome::HandedOver);
    const HDC dc = picture.Objects().dc.Get();
    const HBITMAP bitmap = picture.Objects().bitmap.Get();
    ASSERT_EQ(RenderPlant(plant, picture, host), RenderOutcome::HandedOver);
    ASSERT_EQ(GetObjectType(dc), 0u);
    ASSERT_EQ(GetObjectType(bitmap), 0u);
  }
}

}  // namespace
}  // namespace plant
