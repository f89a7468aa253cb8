// The notice gate between a thread that would open a notice and the dialogs that hold it back.
#include "framework/app/notice_gate.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

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

}  // namespace
