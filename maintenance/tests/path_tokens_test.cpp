// Token expansion of archive templates with fixed values, and every way it can fail to fit.
#include "maintenance/path_tokens.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// 8 December 2026, 09:05:03 local time.
PathTokenValues Values(const char* configFolder = "C:\\Cfg") {
  return {"Verdelo", configFolder, {1, 2, 3}, 2026, 12, 8, 9, 5, 3};
}

// The environment holds USER=ana; unknown variables stay as they are, as on Windows.
uint32_t FakeEnvironment(const char* source, char* target, uint32_t size) {
  std::string text = source;
  for (size_t at; (at = text.find("%USER%")) != std::string::npos;) text.replace(at, 6, "ana");
  if (text.size() + 1 > size) return uint32_t(text.size() + 1);
  std::memcpy(target, text.c_str(), text.size() + 1);
  return uint32_t(text.size() + 1);
}

// Windows answers the size it needs, with nothing written, when the result does not fit.
uint32_t NeedsOneMore(const char*, char*, uint32_t size) { return size + 1; }

std::string Expand(const char* pattern, size_t outSize = 260, const PathTokenValues& values = Values(),
                   ExpandEnvironmentFn environment = FakeEnvironment, bool* fit = nullptr) {
  std::string out(outSize, '#');
  const bool ok = ExpandPathTokensWith(pattern, out.data(), outSize, values, environment);
  if (fit != nullptr) *fit = ok;
  return ok ? std::string(out.c_str()) : "failed: " + std::string(out.c_str());
}

TEST(ExpandPathTokens, EveryTokenWithTheFixedClock) {
  EXPECT_EQ(
      Expand("%PROGRAM%|%CONFIGDIR%|%PROGVER%|%YEAR%|%MONTH%|%DAY%|%HOUR%|%MINUTE%|%SECOND%|%DATE%|%TIME%"),
      "Verdelo|C:\\Cfg|1.2.3|2026|12|08|09|05|03|08.12.2026|09-05-03");
  EXPECT_EQ(Expand("%CONFIGDIR%\\Backup"), "C:\\Cfg\\Backup");
  EXPECT_EQ(Expand("%PROGRAM%-%YEAR%.%MONTH%.%DAY%"), "Verdelo-2026.12.08");
  // Tokens match with letter case and every occurrence is replaced; then the environment.
  EXPECT_EQ(Expand("%year%-%DAY%%DAY%-%USER%-%NOPE%"), "%year%-0808-ana-%NOPE%");
  EXPECT_EQ(Expand("%CONFIGDIR%\\Backup", 260, Values("")), "\\Backup");
}

TEST(ExpandPathTokens, ResultsThatDoNotFitFail) {
  // 250 characters of folder and "\Backup" make 257 of 260 characters; two more do not fit.
  const std::string folder(250, 'f');
  bool fit = false;
  EXPECT_EQ(Expand("%CONFIGDIR%\\Backup", 260, Values(folder.c_str()), FakeEnvironment, &fit).size(), 257u);
  EXPECT_TRUE(fit);
  EXPECT_EQ(
      Expand("%CONFIGDIR%\\Backup\\%DAY%", 260, Values(folder.c_str()), FakeEnvironment, &fit).substr(0, 8),
      "failed: ");
  // A template as long as the buffer, and an environment expansion that overflows.
  EXPECT_EQ(Expand(std::string(260, 't').c_str()).substr(0, 8), "failed: ");
  EXPECT_EQ(Expand("%PROGRAM%", 260, Values(), NeedsOneMore), "failed: Verdelo");
  EXPECT_EQ(Expand("%USER%%USER%", 6, Values(), FakeEnvironment, &fit), "failed: %USER");
}

}  // namespace
