// The notice gate between a thread that would open a notice and the dialogs that hold it back.
#include "framework/app/notice_gate.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(NoticeGate, AWaiterPassesWhenTheLastHoldGoesAndStopsWhenCancelled) {
  NoticeGate gate;
  std::atomic<uint8_t> cancel{0};
  EXPECT_TRUE(gate.WaitForTurn(cancel));  // nothing holds it

  gate.Hold();
  {
    NoticeHold second(gate);
    bool passed = false;
    std::thread waiter([&] { passed = gate.WaitForTurn(cancel); });
    gate.Release();
    second.Release();
    waiter.join();
    EXPECT_TRUE(passed);
  }  // an already released hold is not released twice
  gate.Hold();
  bool passed = true;
  std::thread waiter([&] { passed = gate.WaitForTurn(cancel); });
  cancel.store(1);
  gate.Wake();
  waiter.join();
  EXPECT_FALSE(passed);
  gate.Release();
  gate.Release();  // one too many leaves it open, not owing a hold
  cancel.store(0);
  EXPECT_TRUE(gate.WaitForTurn(cancel));
}

}  // namespace
