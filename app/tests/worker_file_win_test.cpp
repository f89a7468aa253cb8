// The plant program's worker on a real plant file under Wine: every pass rewrites the file, which
// always loads and whose step count rises; a process killed at any moment of those saves, again
// and again, never leaves a torn file.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "plant/plant_file.h"
#include "plant/tests/test_plants.h"
#include "tools/testsupport/desktop_scenario_win.h"
#include "tools/testsupport/read_shared_file_win.h"
#include "tools/testsupport/wine_path.h"

namespace {

std::string gWorkerExe;

// The plant file's step count, or -1 when the file does not load.
int64_t LoadedStepCount(const std::string& path, std::string* why) {
  const std::vector<uint8_t> bytes = ReadSharedFile(path, why);
  if (bytes.empty()) {
    return -1;
  }
  plant::Plant plant;
  if (plant::LoadPlantBytes(plant, bytes.data(), bytes.size(), 0, why) != plant::LoadResult::Ok) {
    return -1;
  }
  return static_cast<uint32_t>(plant.Record().stepCount);
}

// Kills the worker however the round ends.
struct WorkerProcess {
  PROCESS_INFORMATION process;
  ~WorkerProcess() { scenario::KillProcess(process); }
};

TEST(WorkerFile, EveryPassRewritesTheFileAndNoKillTearsIt) {
  ASSERT_FALSE(gWorkerExe.empty());
  plant_test::ScratchFolder folder("worker_file");
  const std::string path = folder.File("Fern.plt");
  plant_test::WriteFile(path, plant_test::DefaultPlantBytes());
  std::string why;
  int64_t steps = LoadedStepCount(path, &why);
  ASSERT_GE(steps, 0) << why;
  for (int round = 0; round < 8; ++round) {
    WorkerProcess worker{scenario::StartProcess("\"" + gWorkerExe + "\" \"" + path + "\"")};
    ASSERT_NE(worker.process.hProcess, nullptr);
    // Three passes of ten steps at least, each one a complete file.
    const int64_t target = steps + 30;
    for (DWORD spent = 0; steps < target && spent < scenario::kWaitMs; spent += 10) {
      const int64_t now = LoadedStepCount(path, &why);
      ASSERT_GE(now, steps) << "round " << round << ": " << why;
      steps = now;
      if (WaitForSingleObject(worker.process.hProcess, 10) == WAIT_OBJECT_0) break;
    }
    ASSERT_GE(steps, target) << "round " << round << ": the worker did not go on saving";
    // The kill lands at a different moment of the pass each round.
    Sleep(static_cast<DWORD>(round * 7 % 23));
    scenario::KillProcess(worker.process);
    const int64_t after = LoadedStepCount(path, &why);
    ASSERT_GE(after, steps) << "round " << round << ": " << why;
    steps = after;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  scenario::ReadPrograms(argc, argv);
  if (argc > 6) gWorkerExe = ToWinePath(argv[6]);
  return RUN_ALL_TESTS();
}
