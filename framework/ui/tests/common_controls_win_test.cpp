// The common-controls version check against the system's library.
#include "framework/ui/common_controls_win.h"

#include <gtest/gtest.h>

namespace {

TEST(IsModernCommonControls, ComctlIsNewerThan470) { EXPECT_TRUE(IsModernCommonControls()); }

}  // namespace
