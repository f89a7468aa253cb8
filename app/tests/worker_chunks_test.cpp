// A backlog simulated by the worker in chunks grows the same plant, byte for byte, as one long
// run of the growth simulation.
#include <gtest/gtest.h>

#include <cstring>

#include "app/manual_reset_event.h"
#include "app/worker_loop.h"
#include "plant/growth_simulation.h"
#include "plant/random.h"
#include "plant/tests/growth_fixture.h"
#include "tools/species/default_species.h"

namespace plantapp {
namespace {

constexpr uint32_t kSeed = 4242;
constexpr int32_t kBacklog = 2500;

// Simulates the default species; the first save ends the loop, as a Quit after one pass would.
class GrowingJobs final : public WorkerJobs {
 public:
  GrowingJobs(plant::Plant& plant, WorkerWords& words, WorkerSignal& work, WorkerSignal& running)
      : plant_(plant), words_(words), work_(work), running_(running) {}
  void Simulate(uint32_t steps) override {
    plant::SimulatePlant(plant_, steps);
    ++chunks;
  }
  void Save() override { RequestWorkerQuit(words_, work_, running_); }
  void NotifyDialog() override {}
  bool IsRenderAllowed() override { return false; }
  void Render() override {}
  int chunks = 0;

 private:
  plant::Plant& plant_;
  WorkerWords& words_;
  WorkerSignal& work_;
  WorkerSignal& running_;
};

void GrowFromScratch(plant::Plant* plant) {
  plant::test::LoadSpecies(species::DefaultSpecies(), plant);
  plant->Record().flags |= plant::kAutoCare;
  plant::SeedRandom(kSeed);
}

bool SameBytes(const plant::Plant& a, const plant::Plant& b) {
  const plant::PlantRecord& r = a.Record();
  if (r.nodeCount != b.Record().nodeCount) return false;
  return std::memcmp(a.record.get(), b.record.get(), static_cast<uint32_t>(r.recordSize)) == 0 &&
         std::memcmp(a.nodes.get(), b.nodes.get(),
                     static_cast<size_t>(r.nodeCount) * static_cast<uint32_t>(r.nodeSize)) == 0;
}

TEST(WorkerChunks, GrowTheSamePlantAsOneLongRun) {
  plant::test::UseUtcTimeZone();
  plant::Plant whole;
  GrowFromScratch(&whole);
  plant::SimulatePlant(whole, kBacklog);

  plant::Plant chunked;
  GrowFromScratch(&chunked);
  WorkerWords words;
  words.pendingSteps.store(kBacklog);
  ManualResetEvent work(true);
  ManualResetEvent running(true);
  GrowingJobs jobs(chunked, words, work, running);
  std::mutex plantLock;
  EXPECT_EQ(RunWorkerLoop(WorkerLoopParts{words, work, running, jobs, plantLock, 1000}), 0);
  EXPECT_EQ(jobs.chunks, 3);
  EXPECT_EQ(words.pendingSteps.load(), 0);
  EXPECT_GT(chunked.Record().nodeCount, 10);
  EXPECT_TRUE(SameBytes(whole, chunked));
}

}  // namespace
}  // namespace plantapp
