// The notice gate between a thread that would open a notice and the dialogs that hold it back.
#include "framework/app/notice_gate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(NoticeGate, AWaiterPassesOnceTheLastHoldGoesAndGivesUpWhenCancelled) {
  NoticeGate gate;
  std::atomic<uint8_t> cancel{0};
  bool passed = true;
  {
    NoticeHold hold(gate);
    std::thread waiter([&] { passed = gate.WaitForTurn(cancel); });
    cancel.store(1);
    gate.Wake();
    waiter.join();
    EXPECT_FALSE(passed);
  }
  gate.Release();  // one release too many leaves the gate open, not owing a hold
  cancel.store(0);
  EXPECT_TRUE(gate.WaitForTurn(cancel));
}

TEST(NoticeGate, AWaiterBlocksWhileHeldAndTheLastReleaseLetsItThrough) {
  NoticeGate gate;
  std::atomic<uint8_t> cancel{0};
  NoticeHold first(gate);
  NoticeHold second(gate);
  std::promise<bool> turn;
  std::future<bool> waited = turn.get_future();
  std::thread waiter([&] { turn.set_value(gate.WaitForTurn(cancel)); });

  EXPECT_EQ(waited.wait_for(100ms), std::future_status::timeout) << "passed a held gate";
  first.Release();
  EXPECT_EQ(waited.wait_for(100ms), std::future_status::timeout) << "passed with one hold left";
  second.Release();
  const bool released = waited.wait_for(10s) == std::future_status::ready;
  EXPECT_TRUE(released) << "the last release did not wake the waiter";
  if (released) {
    EXPECT_TRUE(waited.get());
  } else {
    cancel.store(1);  // let the thread end so that the test can
    gate.Wake();
  }
  waiter.join();
}

}  // namespace
