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
int gStarts = 0;
std::string gViewer;
std::string gParameters;

HINSTANCE WINAPI FakeFind(LPCSTR, LPCSTR, LPSTR result) {
  std::strcpy(result, "C:\\viewer\\hh.exe");
  return reinterpret_cast<HINSTANCE>(gFindAnswer);
}

HINSTANCE WINAPI FakeStart(HWND, LPCSTR, LPCSTR file, LPCSTR parameters, LPCSTR, INT) {
  ++gStarts;
  gViewer = file;
  gParameters = parameters;
  return reinterpret_cast<HINSTANCE>(gStartAnswer);
}

const HelpShellCalls kFake{FakeFind, FakeStart};

class OpenHelp : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = MakeTempFolderWith("verdelo help", "Verdelo.chm");
    gFindAnswer = gStartAnswer = 42;
    gStarts = 0;
  }
  std::string folder;
};

TEST_F(OpenHelp, ManualInTheInstallFolderOpensAtItsTopic) {
  const HelpOutcome outcome = OpenHelpFile("Verdelo.chm", "ConfigurationInformation.htm", folder.c_str(), kFake);
  EXPECT_EQ(outcome.result, kHelpOpened);
  EXPECT_EQ(outcome.messagePiece, -1);
  char shortPath[MAX_PATH];
  ASSERT_GT(GetShortPathNameA((folder + "\\Verdelo.chm").c_str(), shortPath, MAX_PATH), 0u);
  EXPECT_EQ(gViewer, "C:\\viewer\\hh.exe");
  EXPECT_EQ(gParameters, "\"" + std::string(shortPath) + "::/ConfigurationInformation.htm\"");
}

TEST_F(OpenHelp, EachFailureHasItsResultAndMessage) {
  EXPECT_EQ(OpenHelpFile("readme.txt", nullptr, folder.c_str(), kFake).result, kHelpNotHelpFile);
  EXPECT_EQ(OpenHelpFile("readme.txt", nullptr, folder.c_str(), kFake).messagePiece, -1);

  const HelpOutcome missing = OpenHelpFile("Gone.chm", nullptr, folder.c_str(), SystemHelpShellCalls());
  EXPECT_EQ(missing.result, kHelpMissing);
  EXPECT_EQ(missing.messagePiece, 1);
  EXPECT_EQ(std::string(missing.messageName), folder + "\\Gone.chm");

  gFindAnswer = SE_ERR_NOASSOC;
  const HelpOutcome noViewer = OpenHelpFile("Verdelo.chm", nullptr, folder.c_str(), kFake);
  EXPECT_EQ(noViewer.result, kHelpNoViewer);
  EXPECT_EQ(noViewer.messagePiece, 0);
  EXPECT_STREQ(noViewer.messageName, "Verdelo.chm");

  for (uintptr_t failure : {uintptr_t{SE_ERR_OOM}, uintptr_t{SE_ERR_ACCESSDENIED}, uintptr_t{0}}) {
    gFindAnswer = failure;
    const HelpOutcome notFound = OpenHelpFile("Verdelo.chm", nullptr, folder.c_str(), kFake);
    EXPECT_EQ(notFound.result, kHelpNotStarted) << failure;
    EXPECT_EQ(notFound.messagePiece, 0) << failure;
  }
  EXPECT_EQ(gStarts, 0);

  gFindAnswer = 42;
  gStartAnswer = SE_ERR_FNF;
  EXPECT_EQ(OpenHelpFile("Verdelo.chm", "x.htm", folder.c_str(), kFake).result, kHelpNotStarted);
  EXPECT_EQ(gStarts, 1);
}

}  // namespace
