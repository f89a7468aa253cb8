// Loading and saving plant files on disk: byte-for-byte round trips, the clock rule, the signature,
// retries on a locked file, and saves that fail at every file operation without harming the old
// file.
#include "plant/plant_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "plant/node_geometry.h"
#include "plant/plant_clock.h"
#include "plant/plant_node.h"
#include "plant/tests/test_plants.h"

namespace {

using plant::LoadResult;
using plant::Plant;
using plant::PlantRecord;
using plant::SaveResult;
using plant_test::Get;
using plant_test::ReadFile;
using plant_test::ScratchFolder;
using plant_test::Set;
using plant_test::WriteFile;
using Bytes = std::vector<uint8_t>;

void Prepare(Plant& plant, const std::string& path) {
  plant.path = path;
  plant.screenWidth = 1024;
  plant.screenHeight = 768;
}

TEST(PlantFileRoundTrip, DefaultSpeciesSavesByteForByte) {
  ScratchFolder folder("round_trip_default");
  const Bytes original = plant_test::DefaultPlantBytes();
  const std::string path = folder.File("plant.plt");
  WriteFile(path, original);
  Plant plant;
  Prepare(plant, path);
  std::string why;
  // The species' clock is 0 and its clean-shutdown bit clear, so "now" = 0 reproduces it.
  ASSERT_EQ(plant::LoadPlantFile(plant, plant::SystemFileOps(), 0, &why), LoadResult::Ok) << why;
  ASSERT_EQ(plant::SavePlantFile(plant, plant::SystemFileOps()), SaveResult::Ok);
  EXPECT_EQ(ReadFile(path), original);
  EXPECT_FALSE(std::filesystem::exists(plant::TemporaryPathFor(path)));
}

TEST(PlantFileRoundTrip, ChangedCareLevelsSurviveAndSaveStably) {
  ScratchFolder folder("round_trip_care");
  const std::string path = folder.File("plant.plt");
  WriteFile(path, plant_test::DefaultPlantBytes());
  Plant plant;
  Prepare(plant, path);
  ASSERT_EQ(plant::LoadPlantFile(plant, plant::SystemFileOps(), 1000, nullptr), LoadResult::Ok);
  plant.Record().waterLevel = 0.25;
  plant.Record().fertiliserLevel = 0.875;
  plant.Record().temperature = 23.5;
  plant.Record().light = 0.375;
  plant.Record().flags |= plant::kAutoCare;
  ASSERT_EQ(plant::SavePlantFile(plant, plant::SystemFileOps()), SaveResult::Ok);
  const Bytes first = ReadFile(path);

  Plant again;
  Prepare(again, path);
  ASSERT_EQ(plant::LoadPlantFile(again, plant::SystemFileOps(), 1000, nullptr), LoadResult::Ok);
  EXPECT_EQ(again.Record().waterLevel, 0.25);
  EXPECT_EQ(again.Record().fertiliserLevel, 0.875);
  EXPECT_EQ(again.Record().temperature, 23.5);
  EXPECT_EQ(again.Record().light, 0.375);
  EXPECT_EQ(again.Record().flags & plant::kAutoCare, plant::kAutoCare);
  ASSERT_EQ(plant::SavePlantFile(again, plant::SystemFileOps()), SaveResult::Ok);
  EXPECT_EQ(ReadFile(path), first);
}

TEST(PlantFileLoad, CapacityBecomesCountWithOneZeroSpareSlot) {
  Bytes bytes = plant_test::DefaultPlantBytes();
  Set(bytes, offsetof(PlantRecord, nodeCapacity), int32_t{500});
  Plant plant;
  ASSERT_EQ(plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), 0, nullptr), LoadResult::Ok);
  EXPECT_EQ(plant.Record().nodeCapacity, 5);
  const uint8_t* spare = plant.NodeBytes(5);
  EXPECT_TRUE(std::all_of(spare, spare + plant.Record().nodeSize, [](uint8_t b) { return b == 0; }));
}

// Frames are saved with the plant and may be stale; whatever the same plant object held before,
// a loaded plant recomputes every frame at its first refresh, even at the same step count.
TEST(PlantFileLoad, ALoadedPlantRecomputesItsFramesAtTheFirstRefresh) {
  Bytes bytes = plant_test::DefaultPlantBytes();
  Plant plant;
  ASSERT_EQ(plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), 0, nullptr), LoadResult::Ok);
  plant::RefreshNodeFrames(plant);
  const plant::Vec3 tip = plant.Node(4).position;
  Set(bytes, plant_test::NodeField(bytes, 4, offsetof(plant::PlantNode, position)), plant::Vec3{7, 7, 7});
  ASSERT_EQ(plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), 0, nullptr), LoadResult::Ok);
  ASSERT_EQ(plant.Node(4).position.x, 7.0);
  plant::RefreshNodeFrames(plant);
  EXPECT_EQ(plant.Node(4).position.x, tip.x);
  EXPECT_EQ(plant.Node(4).position.z, tip.z);
}

TEST(PlantFileLoad, ClockRuleKeepsTheClockOnlyAfterCleanShutdownWithGrowthWhileOff) {
  struct Row {
    int32_t flags;
    bool keepsClock;
  };
  const Row rows[] = {{0, false},
                      {plant::kCleanShutdown, false},
                      {plant::kGrowWhileOff, false},
                      {plant::kCleanShutdown | plant::kGrowWhileOff, true}};
  for (const Row& row : rows) {
    Bytes bytes = plant_test::DefaultPlantBytes();
    Set(bytes, offsetof(PlantRecord, clock), int32_t{1700000000});
    Set(bytes, offsetof(PlantRecord, flags), row.flags | 0x100);
    Plant plant;
    ASSERT_EQ(plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), 1800000000, nullptr), LoadResult::Ok);
    EXPECT_EQ(plant.Record().clock, row.keepsClock ? 1700000000 : 1800000000) << row.flags;
    EXPECT_EQ(plant.Record().flags, (row.flags & ~plant::kCleanShutdown) | 0x100) << row.flags;
  }
}

TEST(PlantFileLoad, ClockPast2038IsStoredAndReadAsUnsigned) {
  const int64_t in2040 = 2208988800;  // 2040-01-01 00:00 UTC, beyond INT32_MAX
  Bytes bytes = plant_test::DefaultPlantBytes();
  Plant plant;
  ASSERT_EQ(plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), in2040, nullptr), LoadResult::Ok);
  EXPECT_EQ(plant::ReadClock(plant.Record().clock), in2040);
  EXPECT_EQ(plant::ReadClock(plant::AdvanceClock(plant::StoreClock(2147483000), 1200)), 2147484200);
}

TEST(PlantFileLoad, PlacementFollowsTheScreen) {
  Bytes bytes = plant_test::DefaultPlantBytes();
  Plant plant;
  plant.screenWidth = 2048;
  plant.screenHeight = 1536;
  ASSERT_EQ(plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), 0, nullptr), LoadResult::Ok);
  EXPECT_EQ(plant.pixelsPerUnit, 1536 * 0.045);
  EXPECT_EQ(plant.rect.left, 1680);  // 2048 x 840/1024
  EXPECT_EQ(plant.rect.top, 1308);   // 1536 x 218/256
  EXPECT_EQ(plant.rect.right, 1800);
  EXPECT_EQ(plant.rect.bottom, 1416);
}

TEST(PlantFileSave, ZeroScreenKeepsTheStoredFractions) {
  ScratchFolder folder("save_zero_screen");
  const std::string path = folder.File("plant.plt");
  const Bytes original = plant_test::DefaultPlantBytes();
  Plant plant;
  ASSERT_EQ(plant::LoadPlantBytes(plant, original.data(), original.size(), 0, nullptr), LoadResult::Ok);
  plant.path = path;
  plant.rect = plant::PixelRect{1, 2, 3, 4};
  ASSERT_EQ(plant::SavePlantFile(plant, plant::SystemFileOps()), SaveResult::Ok);
  EXPECT_EQ(ReadFile(path), original);
}

TEST(PlantFileSave, ReadOnlyPlantFileIsStillSaved) {
  ScratchFolder folder("save_read_only");
  const std::string path = folder.File("plant.plt");
  WriteFile(path, plant_test::DefaultPlantBytes());
  Plant plant;
  Prepare(plant, path);
  ASSERT_EQ(plant::LoadPlantFile(plant, plant::SystemFileOps(), 0, nullptr), LoadResult::Ok);
  std::filesystem::permissions(path,
                               std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  plant.Record().waterLevel = 0.125;
  ASSERT_EQ(plant::SavePlantFile(plant, plant::SystemFileOps()), SaveResult::Ok);
  const Bytes saved = ReadFile(path);
  EXPECT_EQ(Get<double>(saved, offsetof(PlantRecord, waterLevel)), 0.125);
}

TEST(PlantFileLoad, MissingFileIsCannotOpen) {
  ScratchFolder folder("load_missing");
  Plant plant;
  Prepare(plant, folder.File("none.plt"));
  EXPECT_EQ(plant::LoadPlantFile(plant, plant::SystemFileOps(), 0, nullptr), LoadResult::CannotOpen);
  EXPECT_FALSE(plant.IsLoaded());
}

// File operations that pass calls on to the system's, except those a test makes fail or cut
// short, and that count the calls they see.
class FaultyFileOps final : public plant::FileOps {
 public:
  int calls = 0;
  int failAt = -1;          // the call number that fails
  bool shortWrite = false;  // the failing call, if a write, reports success with no bytes
  int openFailures = 0;     // OpenForRead fails this many times first
  int sleeps = 0;

  bool Exists(const std::string& path) override { return Pass() && real_.Exists(path); }
  plant::FileHandle OpenForRead(const std::string& path) override {
    if (openFailures > 0) {
      --openFailures;
      return plant::kNoFile;
    }
    return Pass() ? real_.OpenForRead(path) : plant::kNoFile;
  }
  plant::FileHandle Create(const std::string& path) override {
    return Pass() ? real_.Create(path) : plant::kNoFile;
  }
  bool Read(plant::FileHandle file, void* buffer, size_t size, size_t* done) override {
    return Pass() ? real_.Read(file, buffer, size, done) : (*done = 0, false);
  }
  bool Write(plant::FileHandle file, const void* buffer, size_t size, size_t* done) override {
    if (Pass()) {
      return real_.Write(file, buffer, size, done);
    }
    // A short write reports success with nothing written, as a full disk may.
    *done = 0;
    return shortWrite;
  }
  bool SizeOf(plant::FileHandle file, uint64_t* size) override { return real_.SizeOf(file, size); }
  bool Flush(plant::FileHandle file) override { return Pass() && real_.Flush(file); }
  bool Close(plant::FileHandle file) override {
    const bool pass = Pass();
    return real_.Close(file) && pass;  // the handle goes away whatever the result
  }
  bool MakeWritable(const std::string& path) override { return Pass() && real_.MakeWritable(path); }
  bool Replace(const std::string& from, const std::string& to) override {
    return Pass() && real_.Replace(from, to);
  }
  bool Remove(const std::string& path) override { return real_.Remove(path); }
  void Sleep(uint32_t) override { ++sleeps; }

 private:
  bool Pass() { return ++calls != failAt; }
  plant::FileOps& real_ = plant::SystemFileOps();
};

TEST(PlantFileSave, FailureAtEveryFileOperationKeepsTheOldFile) {
  ScratchFolder folder("save_faults");
  const std::string path = folder.File("plant.plt");
  const Bytes original = plant_test::DefaultPlantBytes();
  Plant plant;
  Prepare(plant, path);
  WriteFile(path, original);
  ASSERT_EQ(plant::LoadPlantFile(plant, plant::SystemFileOps(), 0, nullptr), LoadResult::Ok);
  plant.Record().waterLevel = 0.5;

  FaultyFileOps counting;
  ASSERT_EQ(plant::SavePlantFile(plant, counting), SaveResult::Ok);
  const int totalCalls = counting.calls;
  const Bytes changed = ReadFile(path);
  ASSERT_NE(changed, original);

  for (const bool shortWrite : {false, true}) {
    for (int failAt = 1; failAt <= totalCalls; ++failAt) {
      WriteFile(path, original);
      FaultyFileOps faulty;
      faulty.failAt = failAt;
      faulty.shortWrite = shortWrite;
      const SaveResult result = plant::SavePlantFile(plant, faulty);
      const Bytes after = ReadFile(path);
      if (result == SaveResult::Ok) {
        // Only the read-only clearing may fail without harm.
        EXPECT_EQ(after, changed) << "call " << failAt;
      } else {
        EXPECT_EQ(after, original) << "call " << failAt;
      }
      EXPECT_FALSE(std::filesystem::exists(plant::TemporaryPathFor(path))) << "call " << failAt;
    }
  }
}

TEST(PlantFileLoad, LockedFileIsRetriedTwentyTimes) {
  ScratchFolder folder("load_retries");
  const std::string path = folder.File("plant.plt");
  WriteFile(path, plant_test::DefaultPlantBytes());
  {
    Plant plant;
    Prepare(plant, path);
    FaultyFileOps locked;
    locked.openFailures = 100;
    EXPECT_EQ(plant::LoadPlantFile(plant, locked, 0, nullptr), LoadResult::CannotOpen);
    EXPECT_EQ(locked.sleeps, 19);
  }
  {
    Plant plant;
    Prepare(plant, path);
    FaultyFileOps busy;
    busy.openFailures = 4;
    EXPECT_EQ(plant::LoadPlantFile(plant, busy, 0, nullptr), LoadResult::Ok);
    EXPECT_EQ(busy.sleeps, 4);
  }
}

TEST(PlantFileLoad, FailedReadsGiveTheirOwnCodes) {
  ScratchFolder folder("load_read_faults");
  const std::string path = folder.File("plant.plt");
  WriteFile(path, plant_test::DefaultPlantBytes());
  // Calls: 1 Exists, 2 OpenForRead, 3 the probe read, 4 the rest of the record, 5 the nodes.
  const std::pair<int, LoadResult> rows[] = {{1, LoadResult::CannotOpen},
                                             {3, LoadResult::ProbeReadFailed},
                                             {4, LoadResult::RecordReadFailed},
                                             {5, LoadResult::NodeReadFailed}};
  for (const auto& [failAt, expected] : rows) {
    Plant plant;
    Prepare(plant, path);
    FaultyFileOps faulty;
    faulty.failAt = failAt;
    EXPECT_EQ(plant::LoadPlantFile(plant, faulty, 0, nullptr), expected) << failAt;
    EXPECT_FALSE(plant.IsLoaded());
  }
}

}  // namespace
