// The test programs' application object: "Verdelo" 1.2.3 with the plant program's patterns.
#include "maintenance/tests/program_environment_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "framework/app/zrf_app_win.h"

namespace {

class ProgramEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(gApp.style.Init(), 0);
    std::snprintf(gApp.productName, sizeof gApp.productName, "Verdelo");
    gApp.version[0] = 1;
    gApp.version[1] = 2;
    gApp.version[2] = 3;
    gApp.SetFilePatterns("*.plt;*.pim", "");
  }
};

const testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new ProgramEnvironment);

}  // namespace

void UseDataFolder(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  std::filesystem::create_directories(folder);
  std::snprintf(gApp.dataFolder, sizeof gApp.dataFolder, "%s", folder.c_str());
  std::snprintf(gApp.commonDataFolder, sizeof gApp.commonDataFolder, "%s", folder.c_str());
}
