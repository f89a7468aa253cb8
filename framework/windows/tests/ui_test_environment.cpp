// What the program's start-up would have done before any dialog or window opens: the UI style
// gets its measuring DC.
#include <gtest/gtest.h>

#include "framework/app/zrf_app_win.h"

namespace {

class UIEnvironment : public testing::Environment {
 public:
  void SetUp() override { ASSERT_EQ(gApp.style.Init(), 0); }
};

const testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new UIEnvironment);

}  // namespace
