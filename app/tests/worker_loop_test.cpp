// The worker's state machine under real threads: the test thread plays the UI thread and meets the
// worker at named points of a pass (a probe stops the worker there until the test has made its
// request), so a request can be placed at every point, including inside the clearing of the event.
#include "app/worker_loop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/manual_reset_event.h"

namespace plantapp {
namespace {

constexpr auto kPatience = std::chrono::seconds(20);

// Where the worker is: every point it passes is counted; the armed point's n-th passage stops it
// until the test releases it.
class Probe {
 public:
  void Arm(const std::string& point, int occurrence = 1) {
    const std::lock_guard<std::mutex> hold(lock_);
    target_ = point;
    occurrence_ = occurrence;
  }

  void At(const std::string& point) {
    std::unique_lock<std::mutex> hold(lock_);
    const int seen = ++counts_[point];
    changed_.notify_all();
    if (point != target_ || seen != occurrence_) {
      return;
    }
    stopped_ = true;
    changed_.notify_all();
    changed_.wait(hold, [this] { return !stopped_; });
  }

  // Waits until the worker stands at the armed point.
  bool AwaitStop() {
    std::unique_lock<std::mutex> hold(lock_);
    return changed_.wait_for(hold, kPatience, [this] { return stopped_; });
  }

  // Lets the worker go on; with a `next` point, stops it at that point's first passage from now.
  void Release(const std::string& next = "") {
    const std::lock_guard<std::mutex> hold(lock_);
    stopped_ = false;
    target_ = next;
    occurrence_ = next.empty() ? 0 : counts_[next] + 1;
    changed_.notify_all();
  }

  bool AwaitPassed(const std::string& point, int times) {
    std::unique_lock<std::mutex> hold(lock_);
    return changed_.wait_for(hold, kPatience, [&] { return counts_[point] >= times; });
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  std::map<std::string, int> counts_;
  std::string target_;
  int occurrence_ = 0;
  bool stopped_ = false;
};

// A manual-reset event that reports its waits and the two sides of every reset to the probe.
class ProbedSignal final : public WorkerSignal {
 public:
  ProbedSignal(Probe& probe, std::string name) : probe_(probe), name_(std::move(name)) {}
  void Set() override { event_.Set(); }
  void Reset() override {
    probe_.At(name_ + " before reset");
    event_.Reset();
    probe_.At(name_ + " after reset");
  }
  bool Wait() override {
    probe_.At(name_ + " wait");
    const bool woken = event_.Wait();
    probe_.At(name_ + " woken");
    return woken;
  }
  bool IsSet() override { return event_.IsSet(); }

 private:
  Probe& probe_;
  std::string name_;
  ManualResetEvent event_{true};
};

// Jobs that count what they do. A render is "finished" when the command word is still Run at its
// end, as the renderer checks before every node; it notes which request it started after.
class CountingJobs final : public WorkerJobs {
 public:
  CountingJobs(WorkerWords& words, Probe& probe) : words_(words), probe_(probe) {}

  void Simulate(uint32_t steps) override {
    Note([&] { simulated += steps; });
    probe_.At("simulate");
  }
  void Save() override {
    Note([&] { ++saves; });
    probe_.At("save");
  }
  void NotifyDialog() override { probe_.At("notify"); }
  bool IsRenderAllowed() override {
    probe_.At("allowed");
    return renderAllowed;
  }
  void Render() override {
    const int startedAfter = requestsMade.load();
    probe_.At("render");
    if (CommandOf(words_) == WorkerCommand::Run) {
      Note([&] { finishedAfter = std::max(finishedAfter, startedAfter); });
    }
  }

  // Waits until `done` holds (re-checked after every job).
  bool AwaitJobs(const std::function<bool()>& done) {
    std::unique_lock<std::mutex> hold(lock_);
    return changed_.wait_for(hold, kPatience, done);
  }

  std::atomic<int> requestsMade{0};
  bool renderAllowed = true;
  uint64_t simulated = 0;
  int saves = 0;
  int finishedAfter = -1;  // the latest request a finished render started after

 private:
  template <typename Change>
  void Note(Change change) {
    {
      const std::lock_guard<std::mutex> hold(lock_);
      change();
    }
    changed_.notify_all();
  }

  WorkerWords& words_;
  Probe& probe_;
  std::mutex lock_;
  std::condition_variable changed_;
};

class WorkerLoop : public ::testing::Test {
 protected:
  void StartWorker(uint32_t chunkSteps = kWorkerChunkSteps) {
    parts_.chunkSteps = chunkSteps;
    thread_ = std::thread([this] { exitCode_ = RunWorkerLoop(parts_); });
  }

  int Quit() {
    RequestWorkerQuit(words_, work_, running_);
    thread_.join();
    return exitCode_;
  }

  // Plays the UI thread: a request while the worker stands at the armed point.
  void RequestAtStop(int32_t steps, WorkerCommand command) {
    ASSERT_TRUE(probe_.AwaitStop());
    jobs_.requestsMade.fetch_add(1);
    RequestWorker(words_, work_, steps, command);
    probe_.Release();
  }

  Probe probe_;
  WorkerWords words_;
  ProbedSignal work_{probe_, "work"};
  ProbedSignal running_{probe_, "running"};
  CountingJobs jobs_{words_, probe_};
  std::mutex plantLock_;
  WorkerLoopParts parts_{words_, work_, running_, jobs_, plantLock_};
  std::thread thread_;
  int exitCode_ = -1;
};

// The points of a pass at which a Redraw may land, in the order the worker passes them.
const char* const kPassPoints[] = {
    "work woken", "simulate", "save", "notify", "allowed", "render", "work before reset", "work after reset"};

class RedrawAtEveryPoint : public WorkerLoop, public ::testing::WithParamInterface<const char*> {};

TEST_P(RedrawAtEveryPoint, IsFollowedByAFinishedRender) {
  probe_.Arm(GetParam());
  StartWorker();
  RequestAtStop(0, WorkerCommand::Redraw);
  EXPECT_TRUE(jobs_.AwaitJobs([&] { return jobs_.finishedAfter >= 1; }))
      << "the Redraw made at \"" << GetParam() << "\" was lost";
  EXPECT_EQ(Quit(), 0);
}

INSTANTIATE_TEST_SUITE_P(Pass, RedrawAtEveryPoint, ::testing::ValuesIn(kPassPoints));

TEST_F(WorkerLoop, TickDuringARenderKeepsItAndWaitsForTheNextRequest) {
  probe_.Arm("render");
  StartWorker();
  RequestAtStop(5, WorkerCommand::Run);
  ASSERT_TRUE(probe_.AwaitPassed("work wait", 2));
  EXPECT_EQ(jobs_.finishedAfter, 0);
  EXPECT_EQ(words_.pendingSteps.load(), 5);
  EXPECT_EQ(words_.idle.load(), 1);
  EXPECT_EQ(Quit(), 0);
}

TEST_F(WorkerLoop, QuitDuringALongBacklogEndsWithinAChunk) {
  words_.pendingSteps.store(1000000);
  probe_.Arm("simulate", 3);
  StartWorker(1000);
  ASSERT_TRUE(probe_.AwaitStop());
  RequestWorkerQuit(words_, work_, running_);
  probe_.Release();
  thread_.join();
  EXPECT_EQ(exitCode_, 0);
  EXPECT_EQ(jobs_.simulated, 3000u);
  EXPECT_EQ(words_.pendingSteps.load(), 997000);
  EXPECT_EQ(jobs_.saves, 1);  // only the final save
}

TEST_F(WorkerLoop, PauseFromAnotherThreadHoldsTheWorkerUntilResumed) {
  words_.pendingSteps.store(5);
  probe_.Arm("simulate");
  StartWorker();
  ASSERT_TRUE(probe_.AwaitStop());
  PauseWorker(running_);
  probe_.Release();
  // The chunk in hand ends; the save waits behind the pause.
  ASSERT_TRUE(probe_.AwaitPassed("running wait", 2));
  EXPECT_EQ(jobs_.simulated, 5u);
  EXPECT_EQ(jobs_.saves, 0);
  ResumeWorker(running_);
  EXPECT_TRUE(jobs_.AwaitJobs([&] { return jobs_.saves == 1 && jobs_.finishedAfter == 0; }));
  EXPECT_EQ(Quit(), 0);
}

TEST_F(WorkerLoop, PlantLockIsHeldToSimulateAndToSaveOnly) {
  words_.pendingSteps.store(5);
  probe_.Arm("simulate");
  StartWorker();
  ASSERT_TRUE(probe_.AwaitStop());
  EXPECT_FALSE(plantLock_.try_lock());
  probe_.Release("save");
  ASSERT_TRUE(probe_.AwaitStop());
  EXPECT_FALSE(plantLock_.try_lock());
  probe_.Release("render");
  ASSERT_TRUE(probe_.AwaitStop());
  // A render reads the plant for a long time; the UI thread may save or change it meanwhile.
  ASSERT_TRUE(plantLock_.try_lock());
  plantLock_.unlock();
  probe_.Release();
  EXPECT_EQ(Quit(), 0);
}

TEST_F(WorkerLoop, QuitSavesOnceMore) {
  StartWorker();
  ASSERT_TRUE(probe_.AwaitPassed("work wait", 2));
  EXPECT_EQ(Quit(), 0);
  EXPECT_EQ(jobs_.saves, 2);
}

class FailingSignal final : public WorkerSignal {
 public:
  void Set() override {}
  void Reset() override {}
  bool Wait() override { return false; }
  bool IsSet() override { return false; }
};

TEST(WorkerLoopFailure, FailedWaitEndsWithoutSaving) {
  WorkerWords words;
  FailingSignal work;
  ManualResetEvent running(true);
  Probe probe;
  CountingJobs jobs(words, probe);
  std::mutex plantLock;
  int exitCode = -1;
  std::thread worker([&] {
    exitCode = RunWorkerLoop(WorkerLoopParts{words, work, running, jobs, plantLock});
  });
  worker.join();
  EXPECT_EQ(exitCode, 1);
  EXPECT_EQ(jobs.saves, 0);
  EXPECT_EQ(jobs.simulated, 0u);
}

TEST(WorkerRequests, RunNeverErasesAPendingRedrawOrQuit) {
  WorkerWords words;
  ManualResetEvent work(false);
  RequestWorker(words, work, 3, WorkerCommand::Redraw);
  RequestWorker(words, work, 4, WorkerCommand::Run);
  EXPECT_EQ(CommandOf(words), WorkerCommand::Redraw);
  EXPECT_EQ(words.pendingSteps.load(), 7);
  words.command.store(static_cast<int32_t>(WorkerCommand::Quit));
  RequestWorker(words, work, 0, WorkerCommand::Redraw);
  EXPECT_EQ(CommandOf(words), WorkerCommand::Quit);
  words.pendingSteps.store(2147483000);
  RequestWorker(words, work, 1000, WorkerCommand::Run);
  EXPECT_EQ(words.pendingSteps.load(), 2147483647);
}

}  // namespace
}  // namespace plantapp
