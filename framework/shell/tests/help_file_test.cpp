// The viewer's parameter text at the length where it no longer fits, which is refused, not cut.
#include "framework/shell/help_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HelpFile, ParametersThatDoNotFitAreRefused) {
  char parameters[kPathCapacity];
  // Quotes, "::/" and a topic: 2 + 3 + topic; 259 characters fit, 260 do not.
  const std::string path(250, 'p');
  EXPECT_TRUE(HelpParameters(parameters, path.c_str(), "abcd"));
  EXPECT_FALSE(HelpParameters(parameters, path.c_str(), "abcde"));
  EXPECT_STREQ(parameters, "");
}

}  // namespace
