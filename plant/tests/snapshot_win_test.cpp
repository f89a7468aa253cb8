// Snapshot files written from a rendered picture and read back into the first picture.
#include "plant/snapshot_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "plant/plant_file.h"
#include "plant/plant_record.h"
#include "plant/render_core.h"
#include "plant/render_gdi_win.h"
#include "plant/snapshot_file.h"
#include "plant/tests/fake_render_host_win.h"
#include "plant/tests/one_square_fixture.h"

namespace plant {
namespace {

using testing::BuildOneSquare;
using testing::FakeRenderHost;

constexpr int kSide = 102;  // the one-square picture's width and height

uint32_t PixelAt(PlantPicture& picture, int x, int y) {
  PictureObjects& shown = picture.Objects();
  return shown.bits[y * shown.Width() + x];
}

std::string TempFolder() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder);
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class SnapshotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildOneSquare(&plant);
    plant.path = TempFolder() + "snapshot_test_" + std::to_string(GetCurrentProcessId()) + ".plt";
    snapshotPath = SnapshotPathFor(plant.path);
    ASSERT_EQ(RenderPlant(plant, rendered, host), RenderOutcome::HandedOver);
    const RECT r = rendered.Objects().rect;
    plant.rect = PixelRect{r.left, r.top, r.right, r.bottom};
    plant.Record().flags |= kShowSnapshot;
  }
  void TearDown() override { DeleteFileA(snapshotPath.c_str()); }

  bool AllBlack(PlantPicture& picture) {
    PictureObjects& p = picture.Objects();
    for (int i = 0; i < p.Width() * p.Height(); ++i) {
      if (p.bits[i] != 0) return false;
    }
    return true;
  }

  Plant plant;
  PlantPicture rendered;
  FakeRenderHost host;
  std::string snapshotPath;
};

TEST_F(SnapshotTest, RoundTripGivesIdenticalPixels) {
  ASSERT_EQ(SaveSnapshot(plant, rendered, SystemFileOps()), SnapshotOutcome::Done);
  const std::vector<uint8_t> file = ReadAll(snapshotPath);
  ASSERT_EQ(file.size(), 44u + kSide * kSide * 4);
  uint32_t bitsOffset;
  std::memcpy(&bitsOffset, file.data(), 4);
  EXPECT_EQ(bitsOffset, 44u);
  // Rows are stored bottom-up: the file's row k from the end is the picture's row k.
  const uint32_t* fileRows = reinterpret_cast<const uint32_t*>(file.data() + 44);
  EXPECT_EQ(fileRows[(kSide - 1 - 3) * kSide + 50], rendered.Objects().bits[3 * kSide + 50]);
  EXPECT_NE(fileRows[(kSide - 1 - 3) * kSide + 50], fileRows[3 * kSide + 50]);

  PlantPicture loaded;
  ASSERT_EQ(LoadSnapshot(plant, loaded, nullptr, SystemFileOps()), SnapshotOutcome::Done);
  ASSERT_EQ(loaded.Objects().Width(), kSide);
  ASSERT_EQ(loaded.Objects().Height(), kSide);
  EXPECT_EQ(std::memcmp(loaded.Objects().bits, rendered.Objects().bits, kSide * kSide * 4), 0);
}

TEST_F(SnapshotTest, SnapshotOfAnotherSizeIsStretchedToThePlantRectangle) {
  ASSERT_EQ(SaveSnapshot(plant, rendered, SystemFileOps()), SnapshotOutcome::Done);
  plant.rect.right = plant.rect.left + 2 * kSide;
  plant.rect.bottom = plant.rect.top + 2 * kSide;
  PlantPicture loaded;
  ASSERT_EQ(LoadSnapshot(plant, loaded, nullptr, SystemFileOps()), SnapshotOutcome::Done);
  EXPECT_EQ(loaded.Objects().Width(), 2 * kSide);
  EXPECT_EQ(PixelAt(loaded, 100, 100), rendered.Objects().bits[50 * kSide + 50]);
  EXPECT_EQ(PixelAt(loaded, 2 * kSide - 1, 2 * kSide - 1), 0u);
}

TEST_F(SnapshotTest, WithoutTheFlagNoFileIsReadAndThePictureIsBlack) {
  ASSERT_EQ(SaveSnapshot(plant, rendered, SystemFileOps()), SnapshotOutcome::Done);
  plant.Record().flags &= ~kShowSnapshot;
  PlantPicture loaded;
  EXPECT_EQ(LoadSnapshot(plant, loaded, nullptr, SystemFileOps()), SnapshotOutcome::NotAsked);
  EXPECT_TRUE(AllBlack(loaded));
  DeleteFileA(snapshotPath.c_str());
  plant.Record().flags |= kShowSnapshot;
  EXPECT_EQ(LoadSnapshot(plant, loaded, nullptr, SystemFileOps()), SnapshotOutcome::Missing);
  EXPECT_TRUE(AllBlack(loaded));
}

// Another program reading the old snapshot, sharing everything, holds off its replacement: a reader
// that lets go soon only delays the save; one that keeps it makes the save fail with the old file whole.
TEST_F(SnapshotTest, AReaderOfTheOldFileDelaysItsReplacementOrLeavesItWhole) {
  ASSERT_EQ(SaveSnapshot(plant, rendered, SystemFileOps()), SnapshotOutcome::Done);
  for (const DWORD holdFor : {DWORD{30}, DWORD{2000}}) {
    const std::vector<uint8_t> old = ReadAll(snapshotPath);
    HANDLE reader = CreateFileA(snapshotPath.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread letGo([&] {
      Sleep(holdFor);
      CloseHandle(reader);
    });
    rendered.Objects().bits[0] ^= 0xFFFFFFu;
    const SnapshotOutcome outcome = SaveSnapshot(plant, rendered, SystemFileOps());
    letGo.join();
    const std::vector<uint8_t> now = ReadAll(snapshotPath);
    if (holdFor < 1000) {
      EXPECT_EQ(outcome, SnapshotOutcome::Done);
      EXPECT_NE(now, old);
    } else if (outcome != SnapshotOutcome::Done) {
      // Windows with POSIX deletion lets the replacement through at once; elsewhere it fails.
      EXPECT_EQ(outcome, SnapshotOutcome::WriteFailed);
      EXPECT_EQ(now, old);
    }
    EXPECT_EQ(GetFileAttributesA(TemporaryPathFor(snapshotPath).c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

// A snapshot can come from a configuration archive or be cut short by a crash while saving.
TEST_F(SnapshotTest, TruncatedOrCraftedSnapshotsLeaveABlackPicture) {
  ASSERT_EQ(SaveSnapshot(plant, rendered, SystemFileOps()), SnapshotOutcome::Done);
  const std::vector<uint8_t> good = ReadAll(snapshotPath);
  struct Row {
    const char* what;
    size_t at;
    uint32_t value;
    size_t keep;
  } rows[] = {
      {"cut in the pixel rows", 0, 44, good.size() - 1},
      {"cut in the header", 0, 44, 30},
      {"height of 16384 rows", 12, 16384, good.size()},
      {"width of 2^31 - 1", 8, 0x7FFFFFFF, good.size()},
      {"bits offset far beyond the file", 0, 0x7FFFFFFF, good.size()},
  };
  for (const Row& row : rows) {
    std::vector<uint8_t> bad(good.begin(), good.begin() + std::ptrdiff_t(row.keep));
    if (row.at + 4 <= bad.size()) std::memcpy(bad.data() + row.at, &row.value, 4);
    WriteAll(snapshotPath, bad);
    PlantPicture loaded;
    EXPECT_EQ(LoadSnapshot(plant, loaded, nullptr, SystemFileOps()), SnapshotOutcome::Refused) << row.what;
    EXPECT_TRUE(AllBlack(loaded)) << row.what;
  }
}

// The plant rectangle comes from the plant file: a reversed one far out still gets its one pixel,
// and one wider than any picture the renderer makes is cut to the widest; the first picture of a
// start is made in every case.
TEST_F(SnapshotTest, PlantRectangleAtTheEndsOfTheRangeIsShrunkToAPixelOrCutToTheLargestPicture) {
  ASSERT_EQ(SaveSnapshot(plant, rendered, SystemFileOps()), SnapshotOutcome::Done);
  plant.rect = PixelRect{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  PlantPicture reversed;
  ASSERT_EQ(LoadSnapshot(plant, reversed, nullptr, SystemFileOps()), SnapshotOutcome::Done);
  EXPECT_EQ(reversed.Objects().Width(), 1);
  EXPECT_EQ(reversed.Objects().Height(), 1);
  EXPECT_EQ(reversed.Objects().rect.right, INT32_MAX);

  plant.rect = PixelRect{INT32_MIN, 0, INT32_MAX, 10};
  PlantPicture wide;
  ASSERT_EQ(LoadSnapshot(plant, wide, nullptr, SystemFileOps()), SnapshotOutcome::Done);
  EXPECT_EQ(wide.Objects().rect.left, INT32_MIN);
  EXPECT_EQ(wide.Objects().Width(), kMaxPictureSide);
  EXPECT_EQ(wide.Objects().Height(), 10);
}

}  // namespace
}  // namespace plant
