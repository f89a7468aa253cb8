// The start's message after a restore: the failure and its reason, and the files the restore
// kept where the user did not leave them, at most eight of them by name.
#include "framework/app/pending_archive_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Message(const RestoreReport& report) {
  const CStringTable strings;
  char text[2048];
  FormatRestoreFailure(strings, report, text, sizeof text);
  return text;
}

TEST(RestoreMessage, TheFailureThenTheKeptFiles) {
  EXPECT_EQ(Message({PendingArchiveOutcome::Applied, 0}), "");
  EXPECT_EQ(Message({PendingArchiveOutcome::Applied, 0, {"C:\\data\\Fern (2).plt"}}),
            "Some file(s) were kept here:\nC:\\data\\Fern (2).plt");
  std::vector<std::string> kept;
  for (char c = 'a'; c <= 'i'; ++c) kept.push_back(std::string("C:\\d\\") + c);
  EXPECT_EQ(Message({PendingArchiveOutcome::Damaged, 0, kept}),
            "Error restoring data!\nConfiguration file error!\n\nSome file(s) were kept here:\n"
            "C:\\d\\a\nC:\\d\\b\nC:\\d\\c\nC:\\d\\d\nC:\\d\\e\nC:\\d\\f\nC:\\d\\g\nC:\\d\\h\n...");
}

}  // namespace
