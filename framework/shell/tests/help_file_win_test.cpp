// Opening help with the shell calls replaced: the viewer's parameters, and each failure with its
// result and message, including FindExecutable failures other than "no association".
#include "framework/shell/help_file_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/shell/help_file.h"
#include "framework/shell/tests/temp_install_folder.h"

namespace {

uintptr_t gFindAnswer = 42;
uintptr_t gStartAnswer = 42;
std::string gParameters;

HINSTANCE WINAPI FakeFind(LPCSTR, LPCSTR, LPSTR result) {
  std::strcpy(result, "C:\\viewer\\hh.exe");
  return reinterpret_cast<HINSTANCE>(gFindAnswer);
}

HINSTANCE WINAPI FakeStart(HWND, LPCSTR, LPCSTR, LPCSTR parameters, LPCSTR, INT) {
  gParameters = parameters;
  return reinterpret_cast<HINSTANCE>(gStartAnswer);
}

const HelpShellCalls kFake{FakeFind, FakeStart};

TEST(OpenHelp, ManualOpensAtItsTopicAndEachFailureHasItsMessage) {
  const std::string folder = MakeTempFolderWith("verdelo help", "Verdelo.chm");
  // Taken from the install folder, shortened, quoted with its topic.
  EXPECT_EQ(OpenHelpFile("Verdelo.chm", "Info.htm", folder.c_str(), kFake).result, kHelpOpened);
  char shortPath[MAX_PATH];
  ASSERT_GT(GetShortPathNameA((folder + "\\Verdelo.chm").c_str(), shortPath, MAX_PATH), 0u);
  EXPECT_EQ(gParameters, "\"" + std::string(shortPath) + "::/Info.htm\"");

  EXPECT_EQ(OpenHelpFile("readme.txt", nullptr, folder.c_str(), kFake).messagePiece, -1);
  const HelpOutcome missing = OpenHelpFile("Gone.chm", nullptr, folder.c_str(), SystemHelpShellCalls());
  EXPECT_EQ(missing.result, kHelpMissing);
  EXPECT_EQ(missing.messagePiece, 1);
  EXPECT_EQ(std::string(missing.messageName), folder + "\\Gone.chm");

  struct Row {
    uintptr_t find;
    uintptr_t start;
    int32_t result;
  };
  const Row failures[] = {{SE_ERR_NOASSOC, 42, kHelpNoViewer},
                          {SE_ERR_OOM, 42, kHelpNotStarted},
                          {SE_ERR_ACCESSDENIED, 42, kHelpNotStarted},
                          {42, SE_ERR_FNF, kHelpNotStarted}};
  for (const Row& row : failures) {
    gFindAnswer = row.find;
    gStartAnswer = row.start;
    gParameters = "not started";
    const HelpOutcome outcome = OpenHelpFile("Verdelo.chm", nullptr, folder.c_str(), kFake);
    EXPECT_EQ(outcome.result, row.result) << row.find;
    EXPECT_EQ(outcome.messagePiece, 0) << row.find;
    EXPECT_STREQ(outcome.messageName, "Verdelo.chm");
    EXPECT_EQ(gParameters == "not started", row.find != 42) << row.find;
  }
}

}  // namespace
