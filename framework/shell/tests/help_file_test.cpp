// Help-file names and the viewer's parameter text, with the length at which it is refused.
#include "framework/shell/help_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HelpFile, OnlyCompiledHelpNamesCount) {
  EXPECT_TRUE(IsHelpFileName("Verdelo.chm"));
  EXPECT_TRUE(IsHelpFileName("C:\\Help\\a.chm.bak"));
  EXPECT_FALSE(IsHelpFileName("readme.txt"));
  EXPECT_FALSE(IsHelpFileName(nullptr));
}

TEST(HelpFile, ParametersQuoteThePathAndTheTopic) {
  char parameters[kPathCapacity];
  ASSERT_TRUE(HelpParameters(parameters, "C:\\PROGRA~1\\Verdelo.chm", "ConfigurationInformation.htm"));
  EXPECT_STREQ(parameters, "\"C:\\PROGRA~1\\Verdelo.chm::/ConfigurationInformation.htm\"");
  ASSERT_TRUE(HelpParameters(parameters, "C:\\Verdelo.chm", ""));
  EXPECT_STREQ(parameters, "\"C:\\Verdelo.chm\"");
  // Quotes, "::/" and a topic: 2 + 3 + topic; 259 characters fit, 260 do not.
  const std::string path(250, 'p');
  EXPECT_TRUE(HelpParameters(parameters, path.c_str(), "abcd"));
  EXPECT_FALSE(HelpParameters(parameters, path.c_str(), "abcde"));
  EXPECT_STREQ(parameters, "");
}

}  // namespace
